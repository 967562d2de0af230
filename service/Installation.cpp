#include "ServiceHost.h"

namespace {

const UINT kMessageOpenManager = 55306;
const UINT kMessageCreateService = 55307;
const UINT kMessageOpenService = 55308;
const UINT kMessageDeleteService = 55309;
const UINT kMessageStopService = 55310;

} // namespace

void CServiceHost::ShowMessage(UINT id, const char* fallback)
{
    char text[1024];
    if (LoadStringA(GetModuleHandleA(NULL), id, text, sizeof(text)) <= 0)
        lstrcpynA(text, fallback, sizeof(text));
    MessageBoxA(NULL, text, m_serviceName, MB_OK);
}

bool CServiceHost::IsInstalled()
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (!manager)
        return false;
    SC_HANDLE service = OpenServiceA(manager, m_serviceName, SERVICE_QUERY_CONFIG);
    if (service)
        CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return service != NULL;
}

bool CServiceHost::Install()
{
    if (IsInstalled())
        return true;

    // The path in double quotes, so that a path with blanks is not split by the SCM.
    char command[1 + MAX_PATH + 2];
    command[0] = '"';
    DWORD length = GetModuleFileNameA(NULL, command + 1, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return false;
    command[1 + length] = '"';
    command[2 + length] = 0;

    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (!manager) {
        ShowMessage(kMessageOpenManager, "Could not open Service Manager");
        return false;
    }
    SC_HANDLE service =
        CreateServiceA(manager, m_serviceName, m_serviceName, SERVICE_ALL_ACCESS,
                       SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                       command, NULL, NULL, "RPCSS\0", NULL, NULL);
    if (!service) {
        CloseServiceHandle(manager);
        ShowMessage(kMessageCreateService, "Could not start service");
        return false;
    }
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return true;
}

bool CServiceHost::Uninstall()
{
    if (!IsInstalled())
        return true;

    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (!manager) {
        ShowMessage(kMessageOpenManager, "Could not open Service Manager");
        return false;
    }
    SC_HANDLE service = OpenServiceA(manager, m_serviceName, SERVICE_STOP | DELETE);
    if (!service) {
        CloseServiceHandle(manager);
        ShowMessage(kMessageOpenService, "Could not open service");
        return false;
    }

    SERVICE_STATUS status = {};
    if (!ControlService(service, SERVICE_CONTROL_STOP, &status)) {
        DWORD error = GetLastError();
        bool tolerated = error == ERROR_SERVICE_NOT_ACTIVE ||
                         (error == ERROR_SERVICE_CANNOT_ACCEPT_CTRL &&
                          status.dwCurrentState == SERVICE_STOP_PENDING);
        if (!tolerated)
            ShowMessage(kMessageStopService, "Could not stop service");
    }

    // The SCM removes a running service once it has stopped.
    BOOL deleted = DeleteService(service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    if (!deleted)
        ShowMessage(kMessageDeleteService, "Could not delete service");
    return deleted != FALSE;
}
