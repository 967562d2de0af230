#include "ServiceHost.h"

CServiceHost* g_pModule = NULL;

CServiceHost::CServiceHost() : m_lockCount(0)
{
    g_pModule = this;
    m_status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    m_status.dwCurrentState = SERVICE_STOPPED;
    m_status.dwControlsAccepted = SERVICE_ACCEPT_STOP;
    m_status.dwWin32ExitCode = 0;
    m_status.dwServiceSpecificExitCode = 0;
    m_status.dwCheckPoint = 0;
    m_status.dwWaitHint = 0;
}

CServiceHost::~CServiceHost() {}

LONG CServiceHost::AddLock() { return InterlockedIncrement(&m_lockCount); }

LONG CServiceHost::ReleaseLock() { return InterlockedDecrement(&m_lockCount); }

void CServiceHost::HostServiceMain(DWORD, LPSTR*) {}

void CServiceHost::HandleControl(DWORD) {}
