#include <gtest/gtest.h>

#include "ElapsedStore.h"
#include "Programs.h"
#include "Registry.h"
#include "ServiceScenario.h"

namespace {

const char kServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\VaskService";

class HostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveRegistration();
        DeleteTree(HKEY_LOCAL_MACHINE, VASK_STORE_KEY);
    }
    void TearDown() override
    {
        RemoveRegistration();
        DeleteTree(HKEY_LOCAL_MACHINE, VASK_STORE_KEY);
    }
};

TEST_F(HostTest, NeverRegisteredEndsWithFileNotFound)
{
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), RunService(""));
    WriteRaw(HKEY_CLASSES_ROOT, VASK_APPID_EXE_KEY, "AppID", REG_SZ, VASK_APPID_TEXT, 39);
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), RunService("-Embedding"))
        << "only the key named by the AppID counts";
}

struct LocalServiceCase {
    const char* what;
    DWORD type;
    const char* data;
    DWORD size;  // kNoValue: no value at all
};
const DWORD kNoValue = 0xFFFFFFFF;

void WriteAppId(const LocalServiceCase& c)
{
    DeleteTree(HKEY_CLASSES_ROOT, VASK_APPID_KEY);
    WriteRaw(HKEY_CLASSES_ROOT, VASK_APPID_KEY, NULL, REG_SZ, "VaskService", 12);
    if (c.size != kNoValue)
        WriteRaw(HKEY_CLASSES_ROOT, VASK_APPID_KEY, "LocalService", c.type, c.data, c.size);
}

PROCESS_INFORMATION StartByHand()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::string exe = ServiceExePath();
    std::string commandLine = "\"" + exe + "\"";
    EXPECT_TRUE(CreateProcessA(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL,
                               &startup, &info));
    return info;
}

void EndProcess(PROCESS_INFORMATION& info)
{
    if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

TEST_F(HostTest, WithoutAStringLocalServiceItRunsAsAPlainServer)
{
    const DWORD number = 1;
    const LocalServiceCase cases[] = {
        {"absent", REG_SZ, "", kNoValue},
        {"a number", REG_DWORD, reinterpret_cast<const char*>(&number), 4},
        {"zero bytes", REG_SZ, "", 0},
        {"binary", REG_BINARY, "VaskService", 12},
    };
    for (const LocalServiceCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteAppId(c);
        PROCESS_INFORMATION info = StartByHand();
        ASSERT_TRUE(info.hProcess != NULL);
        // A plain server that no client uses keeps running; WM_QUIT ends its loop.
        DWORD exitCode = 0xDEAD;
        EXPECT_FALSE(WaitForExit(info.hProcess, 1500, &exitCode));
        EXPECT_TRUE(WaitUntil([&] {
            return PostThreadMessageA(info.dwThreadId, WM_QUIT, 0, 0) != FALSE;
        }, 5000));
        EXPECT_TRUE(WaitForExit(info.hProcess, 10000, &exitCode));
        EXPECT_EQ(0u, exitCode);
        EndProcess(info);
    }
}

TEST_F(HostTest, WithAStringLocalServiceStartedByHandItEndsWithTheDispatcherError)
{
    // Wine's dispatcher connects to the control pipe of the service process started last;
    // once that process has ended, it fails as Windows does instead of waiting on a live pipe.
    ASSERT_EQ(0u, RunService("-Service"));
    ASSERT_TRUE(StartAndWaitForService(kServiceName));
    ASSERT_TRUE(StopAndDeleteService(kServiceName));

    const LocalServiceCase cases[] = {
        {"the service name", REG_SZ, "VaskService", 12},
        {"any other string", REG_SZ, "Other", 6},
        {"an expandable string", REG_EXPAND_SZ, "%X%", 4},
    };
    for (const LocalServiceCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteAppId(c);
        PROCESS_INFORMATION info = StartByHand();
        ASSERT_TRUE(info.hProcess != NULL);
        DWORD exitCode = 0xDEAD;
        EXPECT_TRUE(WaitForExit(info.hProcess, 10000, &exitCode)) << "no fallback to a plain server";
        EXPECT_EQ(static_cast<DWORD>(ERROR_FAILED_SERVICE_CONTROLLER_CONNECT), exitCode);
        EndProcess(info);
    }
}

// The test process stays alive for the whole scenario: Wine ends services with the last
// ordinary process of the session.
TEST_F(HostTest, StartControlStopThroughTheScm)
{
    ASSERT_EQ(0u, RunService("-Service"));
    ASSERT_TRUE(StartAndWaitForService(kServiceName));
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    ASSERT_TRUE(manager != NULL);
    SC_HANDLE service = OpenServiceA(manager, kServiceName, SERVICE_ALL_ACCESS);
    ASSERT_TRUE(service != NULL);

    SERVICE_STATUS_PROCESS running = {};
    DWORD needed = 0;
    ASSERT_TRUE(QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO,
                                     reinterpret_cast<BYTE*>(&running), sizeof(running), &needed));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN),
              running.dwControlsAccepted);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_WIN32_OWN_PROCESS), running.dwServiceType);
    HANDLE process = OpenServiceProcess(service);
    ASSERT_TRUE(process != NULL);

    // The accounting's start: store defaults and the automatic start type.
    DWORD value = 0;
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_HIGH, &value));
    EXPECT_EQ(0u, value);
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_LOW, &value));
    EXPECT_EQ(0u, value);
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_RATING, &value));
    EXPECT_EQ(750000u, value);
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_ALARM, &value));
    EXPECT_EQ(1u, value);
    EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kServiceKey, "Start", &value));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_AUTO_START), value);

    SERVICE_STATUS status = {};
    EXPECT_TRUE(ControlService(service, SERVICE_CONTROL_INTERROGATE, &status));
    EXPECT_TRUE(ControlService(service, 128, &status));
    DWORD exitCode = 0;
    EXPECT_FALSE(WaitForExit(process, 500, &exitCode)) << "the service keeps running";
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), ServiceState(kServiceName));

    ASSERT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    ASSERT_TRUE(WaitForServiceState(kServiceName, SERVICE_STOPPED, 10000));
    ASSERT_TRUE(QueryServiceStatus(service, &status));
    EXPECT_EQ(0u, status.dwWin32ExitCode);
    EXPECT_TRUE(WaitForExit(process, 10000, &exitCode));
    EXPECT_EQ(0u, exitCode);
    CloseHandle(process);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
}

} // namespace
