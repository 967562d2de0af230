#include "ServiceHost.h"

CServiceHost* g_pModule = NULL;

CServiceHost::CServiceHost() : m_lockCount(0), m_cleanupCount(0)
{
    g_pModule = this;
    InitializeCriticalSection(&m_moduleLock);
    m_status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    m_status.dwCurrentState = SERVICE_STOPPED;
    m_status.dwControlsAccepted = SERVICE_ACCEPT_STOP;
    m_status.dwWin32ExitCode = 0;
    m_status.dwServiceSpecificExitCode = 0;
    m_status.dwCheckPoint = 0;
    m_status.dwWaitHint = 0;
}

CServiceHost::~CServiceHost()
{
    EnterCriticalSection(&m_moduleLock);
    while (m_cleanupCount > 0) {
        --m_cleanupCount;
        m_cleanups[m_cleanupCount].action(m_cleanups[m_cleanupCount].argument);
    }
    LeaveCriticalSection(&m_moduleLock);
    DeleteCriticalSection(&m_moduleLock);
}

bool CServiceHost::AddCleanup(CleanupAction action, void* argument)
{
    EnterCriticalSection(&m_moduleLock);
    bool added = m_cleanupCount < static_cast<int>(sizeof(m_cleanups) / sizeof(m_cleanups[0]));
    if (added) {
        m_cleanups[m_cleanupCount].action = action;
        m_cleanups[m_cleanupCount].argument = argument;
        ++m_cleanupCount;
    }
    LeaveCriticalSection(&m_moduleLock);
    return added;
}

LONG CServiceHost::AddLock() { return InterlockedIncrement(&m_lockCount); }

LONG CServiceHost::ReleaseLock() { return InterlockedDecrement(&m_lockCount); }

void CServiceHost::HostServiceMain(DWORD, LPSTR*) {}

void CServiceHost::HandleControl(DWORD) {}
