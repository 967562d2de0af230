#include <gtest/gtest.h>

#include <objbase.h>

#include <string>

#include "ElapsedTimeService.h"
#include "Programs.h"

namespace {

// The host in this test process, as a plain server with short idle periods.
class PlainServerTest : public ::testing::Test {
public:
    void SetUp() override
    {
        host = new CElapsedTimeService;
        lstrcpyA(host->m_serviceName, "VaskService");
        host->m_runningAsService = FALSE;
        host->m_idleTimeout = 300;
        host->m_exitPause = 0;
        released = false;
        ended = false;
    }
    void TearDown() override { delete host; }

    // Runs the server on this thread while `client` runs on another; a watchdog ends a loop
    // that would otherwise never end.
    HRESULT Serve(LPTHREAD_START_ROUTINE client)
    {
        HANDLE thread = CreateThread(NULL, 0, client, this, 0, NULL);
        HRESULT hr = host->RunServer(0);
        ended = true;
        WaitForSingleObject(thread, 10000);
        CloseHandle(thread);
        return hr;
    }

    CElapsedTimeService* host;
    volatile bool released;
    volatile bool ended;
};

DWORD WINAPI LockUnlockRelockHold(void* param)
{
    PlainServerTest* test = static_cast<PlainServerTest*>(param);
    Sleep(100);
    test->host->AddLock();
    Sleep(100);
    test->host->ReleaseLock();  // a quiet period starts
    Sleep(100);
    test->host->AddLock();      // a client comes back within it and holds on
    Sleep(1000);
    test->released = true;
    test->host->ReleaseLock();
    return 0;
}

TEST_F(PlainServerTest, EndsOnlyAfterAQuietPeriodWithNoLockHeld)
{
    DWORD start = GetTickCount();
    EXPECT_EQ(S_OK, Serve(LockUnlockRelockHold));
    EXPECT_TRUE(released) << "ended while a client held a lock";
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_EQ(0, host->m_lockCount);
}

DWORD WINAPI NoClientThenQuit(void* param)
{
    PlainServerTest* test = static_cast<PlainServerTest*>(param);
    Sleep(1200);
    test->released = !test->ended;
    PostThreadMessageA(test->host->m_mainThreadId, WM_QUIT, 0, 0);
    return 0;
}

TEST_F(PlainServerTest, WithoutAnyClientItKeepsRunning)
{
    EXPECT_EQ(S_OK, Serve(NoClientThenQuit));
    EXPECT_TRUE(released) << "the server ended without ever having a client";
}

struct ServiceThread {
    CElapsedTimeService* host;
    HRESULT coInit;
};

DWORD WINAPI RunServiceOnThisThread(void* param)
{
    ServiceThread* context = static_cast<ServiceThread*>(param);
    if (context->coInit != S_OK)
        CoInitializeEx(NULL, COINIT_MULTITHREADED);
    context->host->RunService();
    if (context->coInit != S_OK)
        CoUninitialize();
    return 0;
}

TEST(ServiceRun, StopRequestEndsTheServiceThreadOthersDoNot)
{
    CElapsedTimeService host;
    lstrcpyA(host.m_serviceName, "VaskService");
    ServiceThread context = {&host, S_OK};
    HANDLE thread = CreateThread(NULL, 0, RunServiceOnThisThread, &context, 0, NULL);
    ASSERT_TRUE(WaitUntil([&] { return host.m_status.dwCurrentState == SERVICE_RUNNING; }, 5000));
    EXPECT_FALSE(host.m_delayedShutdown) << "a service never ends for want of clients";

    host.AddLock();
    host.ReleaseLock();
    const DWORD ignored[] = {SERVICE_CONTROL_INTERROGATE, SERVICE_CONTROL_SHUTDOWN,
                             SERVICE_CONTROL_PAUSE, 128};
    for (DWORD code : ignored)
        host.HandleControl(code);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(thread, 500));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), host.m_status.dwCurrentState);

    host.HandleControl(SERVICE_CONTROL_STOP);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), host.m_status.dwCurrentState);
    EXPECT_EQ(0u, host.m_status.dwWin32ExitCode);
    CloseHandle(thread);
}

TEST(ServiceRun, FailedComStartOnTheServiceThreadReportsStopped)
{
    CElapsedTimeService host;
    lstrcpyA(host.m_serviceName, "VaskService");
    host.m_status.dwCurrentState = SERVICE_START_PENDING;
    ServiceThread context = {&host, E_FAIL};
    HANDLE thread = CreateThread(NULL, 0, RunServiceOnThisThread, &context, 0, NULL);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
    CloseHandle(thread);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), host.m_status.dwCurrentState);
    EXPECT_EQ(static_cast<DWORD>(RPC_E_CHANGED_MODE), host.m_status.dwWin32ExitCode);
}

// Run only by the event-log check (host_event_log), which reads the entry this writes: the
// first 255 characters of the text.
TEST(EventLog, DISABLED_OverlongTextIsCutToTheBuffer)
{
    CElapsedTimeService host;
    lstrcpyA(host.m_serviceName, "VaskService");
    std::string text(1000, 'x');
    host.LogServiceEvent("%s", text.c_str());
}

TEST(Teardown, CleanupActionsRunAtTeardownBeforeComEnds)
{
    static int ran;
    ran = 0;
    {
        CElapsedTimeService host;
        ASSERT_TRUE(host.AddCleanup([](void* context) { *static_cast<int*>(context) += 1; }, &ran));
        ASSERT_TRUE(host.AddCleanup([](void* context) { *static_cast<int*>(context) += 10; }, &ran));
        EXPECT_EQ(0, ran);
    }
    EXPECT_EQ(11, ran);
}

} // namespace
