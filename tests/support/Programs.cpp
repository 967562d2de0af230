#include "Programs.h"

std::string WindowsPath(const char* unixPath)
{
    std::string path = unixPath;
    if (path.size() > 1 && path[1] == ':')
        return path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return "Z:" + path;
}

std::string ServiceExePath() { return WindowsPath(VASK_SERVICE_EXE); }
std::string ViewerExePath() { return WindowsPath(VASK_VIEWER_EXE); }

HANDLE StartProgram(const std::string& exe, const std::string& arguments)
{
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL,
                        &startup, &info))
        return NULL;
    CloseHandle(info.hThread);
    return info.hProcess;
}

bool WaitForExit(HANDLE process, DWORD timeoutMs, DWORD* exitCode)
{
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process, exitCode) != FALSE;
}

bool RunProgram(const std::string& exe, const std::string& arguments, DWORD timeoutMs,
                DWORD* exitCode)
{
    HANDLE process = StartProgram(exe, arguments);
    if (!process)
        return false;
    bool ended = WaitForExit(process, timeoutMs, exitCode);
    if (!ended) {
        TerminateProcess(process, 0xDEAD);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
    return ended;
}
