#include "ServiceHost.h"

#include <objbase.h>

#include <new>

#include "ClassTable.h"
#include "ProductIds.h"

CServiceHost* g_pModule = NULL;
bool g_moduleInitFailed = false;

namespace {

const DWORD kIdleTimeoutMs = 5000;
const DWORD kExitPauseMs = 1000;
const DWORD kLocalServiceBufferSize = 260;
const DWORD kServiceThreadExitWaitMs = 5000;

// Any string value counts; one without its terminating zero, or with no bytes at all, does not.
bool HasLocalService(HKEY appId)
{
    BYTE data[kLocalServiceBufferSize];
    DWORD size = sizeof(data);
    DWORD type = REG_NONE;
    if (RegQueryValueExA(appId, "LocalService", NULL, &type, data, &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    return size > 0 && data[size - 1] == 0;
}

} // namespace

CServiceHost::CServiceHost()
    : m_lockCount(0), m_mainThreadId(0), m_shutdownEvent(NULL), m_idleTimeout(kIdleTimeoutMs),
      m_exitPause(kExitPauseMs), m_delayedShutdown(true), m_activity(false),
      m_statusHandle(NULL), m_runningAsService(TRUE), m_serviceThreadId(0), m_serviceThread(NULL),
      m_cleanups(NULL),
      m_lockReady(false), m_comReady(false)
{
    g_pModule = this;
    m_lockReady = InitializeCriticalSectionAndSpinCount(&m_moduleLock, 0) != FALSE;
    if (!m_lockReady)
        g_moduleInitFailed = true;
    m_mainThreadId = GetCurrentThreadId();
    m_comReady = SUCCEEDED(CoInitialize(NULL));
    if (!m_comReady)
        g_moduleInitFailed = true;
    m_serviceName[0] = 0;
    LoadStringA(GetModuleHandleA(NULL), 101, m_serviceName, sizeof(m_serviceName));
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
    while (m_cleanups) {
        Cleanup* cleanup = m_cleanups;
        m_cleanups = cleanup->next;
        cleanup->action(cleanup->context);
        delete cleanup;
    }
    if (m_lockReady)
        DeleteCriticalSection(&m_moduleLock);
    if (m_comReady)
        CoUninitialize();
    if (g_pModule == this)
        g_pModule = NULL;
}

bool CServiceHost::AddCleanup(void (*action)(void* context), void* context)
{
    Cleanup* cleanup = new (std::nothrow) Cleanup;
    if (!cleanup)
        return false;
    cleanup->action = action;
    cleanup->context = context;
    EnterCriticalSection(&m_moduleLock);
    cleanup->next = m_cleanups;
    m_cleanups = cleanup;
    LeaveCriticalSection(&m_moduleLock);
    return true;
}

LONG CServiceHost::AddLock() { return InterlockedIncrement(&m_lockCount); }

LONG CServiceHost::ReleaseLock()
{
    LONG count = InterlockedDecrement(&m_lockCount);
    if (!m_runningAsService && count == 0) {
        m_activity = true;
        SetEvent(m_shutdownEvent);
    }
    return count;
}

void CServiceHost::AddAppIdReplacement(CRegistryVariables* variables)
{
    variables->Add("APPID", VASK_APPID_TEXT);
}

void CServiceHost::ReportStatus(DWORD state)
{
    m_status.dwCurrentState = state;
    SetServiceStatus(m_statusHandle, &m_status);
}

int CServiceHost::StartHost(int showCommand)
{
    HKEY appIds;
    LONG status = RegOpenKeyExA(HKEY_CLASSES_ROOT, "AppID", 0, KEY_READ, &appIds);
    if (status != ERROR_SUCCESS) {
        m_status.dwWin32ExitCode = status;
        return status;
    }
    HKEY appId;
    status = RegOpenKeyExA(appIds, VASK_APPID_TEXT, 0, KEY_READ, &appId);
    if (status != ERROR_SUCCESS) {
        m_status.dwWin32ExitCode = status;
        RegCloseKey(appIds);
        return status;
    }

    m_runningAsService = HasLocalService(appId) ? TRUE : FALSE;
    if (m_runningAsService) {
        SERVICE_TABLE_ENTRYA dispatchTable[] = {{m_serviceName, ServiceEntry}, {NULL, NULL}};
        if (!StartServiceCtrlDispatcherA(dispatchTable))
            m_status.dwWin32ExitCode = GetLastError();
        // The dispatcher returns as soon as the service reports STOPPED; without this wait
        // the process could end before the service thread has written "Service stopped".
        if (m_serviceThread) {
            WaitForSingleObject(m_serviceThread, kServiceThreadExitWaitMs);
            CloseHandle(m_serviceThread);
            m_serviceThread = NULL;
        }
    } else {
        m_status.dwWin32ExitCode = RunServer(showCommand);
    }

    RegCloseKey(appId);
    RegCloseKey(appIds);
    return static_cast<int>(m_status.dwWin32ExitCode);
}

void CServiceHost::HostServiceMain(DWORD, LPSTR*)
{
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(),
                    &m_serviceThread, SYNCHRONIZE, FALSE, 0);
    m_status.dwCurrentState = SERVICE_START_PENDING;
    m_statusHandle = RegisterServiceCtrlHandlerA(m_serviceName, ControlHandlerEntry);
    if (!m_statusHandle) {
        LogServiceEvent("Handler not installed");
        return;
    }
    ReportStatus(SERVICE_START_PENDING);
    RunService();
}

void CServiceHost::RunService()
{
    m_status.dwWin32ExitCode = 0;
    m_status.dwCheckPoint = 0;
    m_status.dwWaitHint = 0;
    HRESULT hr = CoInitialize(NULL);
    if (FAILED(hr)) {
        // Without an apartment there is no server; say so rather than stay "starting".
        m_status.dwWin32ExitCode = static_cast<DWORD>(hr);
        ReportStatus(SERVICE_STOPPED);
        LogServiceEvent("Service stopped");
        return;
    }
    m_delayedShutdown = false;
    m_status.dwWin32ExitCode = static_cast<DWORD>(RunServer(0));
    CoUninitialize();
    ReportStatus(SERVICE_STOPPED);
    LogServiceEvent("Service stopped");
}

HRESULT CServiceHost::RegisterClassObjects()
{
    HRESULT hr = S_OK;
    for (ClassTableRow* row = g_classTable; row->clsid; ++row) {
        IUnknown* classObject = NULL;
        hr = row->getClassObject(IID_IUnknown, reinterpret_cast<void**>(&classObject));
        if (FAILED(hr))
            return hr;
        hr = CoRegisterClassObject(*row->clsid, classObject, CLSCTX_LOCAL_SERVER,
                                   REGCLS_MULTIPLEUSE, &row->cookie);
        classObject->Release();
        if (FAILED(hr))
            return hr;
    }
    return hr;
}

HRESULT CServiceHost::RevokeClassObjects()
{
    HRESULT hr = S_OK;
    for (ClassTableRow* row = g_classTable; row->clsid; ++row) {
        if (row->cookie == 0)
            continue;
        hr = CoRevokeClassObject(row->cookie);
        if (FAILED(hr))
            return hr;
    }
    return hr;
}

HRESULT CServiceHost::RunServer(int)
{
    if (m_runningAsService)
        m_serviceThreadId = GetCurrentThreadId();

    HRESULT hr = RegisterClassObjects();
    if (FAILED(hr)) {
        m_delayedShutdown = false;
        return hr;
    }

    if (m_delayedShutdown) {
        m_shutdownEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
        if (!m_shutdownEvent)
            return E_FAIL;
        HANDLE monitor = CreateThread(NULL, 0, IdleMonitor, this, 0, NULL);
        if (!monitor)
            return E_FAIL;
        CloseHandle(monitor);
    }

    if (m_runningAsService) {
        LogServiceEvent("Service started");
        ReportStatus(SERVICE_RUNNING);
    }

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    hr = RevokeClassObjects();
    if (m_delayedShutdown)
        Sleep(m_exitPause);
    return hr;
}

DWORD WINAPI CServiceHost::IdleMonitor(void* module)
{
    CServiceHost* host = static_cast<CServiceHost*>(module);
    for (;;) {
        WaitForSingleObject(host->m_shutdownEvent, INFINITE);
        DWORD wait;
        do {
            host->m_activity = false;
            wait = WaitForSingleObject(host->m_shutdownEvent, host->m_idleTimeout);
        } while (wait == WAIT_OBJECT_0);
        if (!host->m_activity && host->m_lockCount == 0)
            break;
    }
    HANDLE event = host->m_shutdownEvent;
    host->m_shutdownEvent = NULL;
    CloseHandle(event);
    PostThreadMessageA(host->m_mainThreadId, WM_QUIT, 0, 0);
    return 0;
}

void CServiceHost::HandleControl(DWORD code)
{
    switch (code) {
    case SERVICE_CONTROL_STOP:
        ReportStatus(SERVICE_STOP_PENDING);
        PostThreadMessageA(m_serviceThreadId, WM_QUIT, 0, 0);
        break;
    case SERVICE_CONTROL_PAUSE:
    case SERVICE_CONTROL_CONTINUE:
    case SERVICE_CONTROL_INTERROGATE:
    case SERVICE_CONTROL_SHUTDOWN:
        break;
    default:
        LogServiceEvent("Bad service request");
        break;
    }
}
