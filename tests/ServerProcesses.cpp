#include "ServerProcesses.h"

#include <tlhelp32.h>

#include "Programs.h"

std::vector<DWORD> ServerProcessIds()
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, "VaskService.exe") == 0)
            ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

bool WaitForNoServer(DWORD timeoutMs)
{
    return WaitUntil([] { return ServerProcessIds().empty(); }, timeoutMs);
}
