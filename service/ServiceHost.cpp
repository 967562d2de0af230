#include "ServiceHost.h"

CServiceHost::CServiceHost()
{
    m_status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    m_status.dwCurrentState = SERVICE_STOPPED;
    m_status.dwControlsAccepted = SERVICE_ACCEPT_STOP;
    m_status.dwWin32ExitCode = 0;
    m_status.dwServiceSpecificExitCode = 0;
    m_status.dwCheckPoint = 0;
    m_status.dwWaitHint = 0;
}

CServiceHost::~CServiceHost() {}

void CServiceHost::HostServiceMain(DWORD, LPSTR*) {}

void CServiceHost::HandleControl(DWORD) {}
