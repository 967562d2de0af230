#include "ServiceScenario.h"

#include <gtest/gtest.h>

#include "Programs.h"
#include "Registry.h"

const char kServiceName[] = "VaskService";

DWORD ServiceState(const char* name)
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    if (!manager)
        return 0;
    DWORD state = 0;
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_QUERY_STATUS);
    if (service) {
        SERVICE_STATUS status = {};
        if (QueryServiceStatus(service, &status))
            state = status.dwCurrentState;
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return state;
}

bool WaitForServiceState(const char* name, DWORD state, DWORD timeoutMs)
{
    return WaitUntil([&] { return ServiceState(name) == state; }, timeoutMs);
}

bool StopAndDeleteService(const char* name)
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (!manager)
        return false;
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_STOP | DELETE | SERVICE_QUERY_STATUS);
    if (service) {
        SERVICE_STATUS status;
        if (ControlService(service, SERVICE_CONTROL_STOP, &status))
            WaitForServiceState(name, SERVICE_STOPPED, 10000);
        DeleteService(service);
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return WaitUntil([&] { return ServiceState(name) == 0; }, 10000);
}

bool StartAndWaitForService(const char* name)
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    if (!manager)
        return false;
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_START);
    bool started = service && StartServiceA(service, 0, NULL);
    if (service)
        CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return started && WaitForServiceState(name, SERVICE_RUNNING, 10000);
}

HANDLE OpenServiceProcess(SC_HANDLE service)
{
    SERVICE_STATUS_PROCESS status = {};
    DWORD needed = 0;
    if (!QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status),
                              sizeof(status), &needed))
        return NULL;
    return OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, status.dwProcessId);
}

void RemoveRegistration()
{
    EXPECT_TRUE(StopAndDeleteService(kServiceName));
    EXPECT_TRUE(StopAndDeleteService("VaskOther"));
    DeleteTree(HKEY_CLASSES_ROOT, VASK_APPID_KEY);
    DeleteTree(HKEY_CLASSES_ROOT, VASK_APPID_EXE_KEY);
    DeleteTree(HKEY_CLASSES_ROOT, VASK_TYPELIB_KEY);
    DeleteTree(HKEY_CLASSES_ROOT, "Interface\\" VASK_IID_IELAPSEDTIME_TEXT);
}

DWORD RunService(const std::string& arguments, const std::string& exe)
{
    DWORD exitCode = 0xDEAD;
    if (!RunProgram(exe.empty() ? ServiceExePath() : exe, arguments, 20000, &exitCode))
        return 0xDEAD;
    return exitCode;
}
