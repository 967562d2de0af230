#pragma once
#include <windows.h>

#include "RegistryScript.h"

// The service host: runs the program under the Service Control Manager (or as a plain
// COM server) on behalf of the one module object.
class CServiceHost {
public:
    CServiceHost();
    virtual ~CServiceHost();
    // Server locks: one per live COM instance and per LockServer(TRUE).
    virtual LONG AddLock();
    virtual LONG ReleaseLock();
    // Adds "APPID" to the variables of a registration script.
    virtual void AddAppIdReplacement(CRegistryVariables* variables);

    // Service or plain COM server, by the AppID's "LocalService" value; the exit code.
    int StartHost(int showCommand);
    void HostServiceMain(DWORD argc, LPSTR* argv);
    HRESULT RunServer(int showCommand);
    void HandleControl(DWORD code);
    void LogServiceEvent(const char* format, ...);

    // The command line: runs a verb and returns false, or returns true when the host is to
    // start.
    bool ParseCommandLine(const char* commandLine, HRESULT* result);
    HRESULT RegisterAppId(bool asService);
    HRESULT UnregisterAppId();
    HRESULT UpdateRegistryAppId(bool registering);
    bool IsInstalled();
    bool Install();
    bool Uninstall();

    // Class entries of every row of the class table, then the type library.
    HRESULT RegisterServer();
    HRESULT UnregisterServer();

    // Runs at teardown, before COM is uninitialised (for example to release cached COM
    // objects). False when there is no memory for the entry.
    bool AddCleanup(void (*action)(void* context), void* context);

    // After the control handler is registered: COM on the service thread, the server, and
    // the final report.
    void RunService();
    void ReportStatus(DWORD state);
    HRESULT RegisterClassObjects();
    HRESULT RevokeClassObjects();
    static DWORD WINAPI IdleMonitor(void* module);
    void ShowMessage(UINT id, const char* fallback);

    volatile LONG m_lockCount;
    CRITICAL_SECTION m_moduleLock;
    DWORD m_mainThreadId;
    HANDLE m_shutdownEvent;
    DWORD m_idleTimeout;
    DWORD m_exitPause;
    bool m_delayedShutdown;
    volatile bool m_activity;
    char m_serviceName[256];
    SERVICE_STATUS_HANDLE m_statusHandle;
    SERVICE_STATUS m_status;
    BOOL m_runningAsService;
    volatile DWORD m_serviceThreadId;
    // The service thread, so that the main thread can let it finish after the dispatcher
    // returns.
    HANDLE m_serviceThread;

private:
    struct Cleanup {
        void (*action)(void* context);
        void* context;
        Cleanup* next;
    };
    Cleanup* m_cleanups;
    bool m_lockReady;
    bool m_comReady;
};

// The process's one module object, set by its constructor.
extern CServiceHost* g_pModule;
// Set during static construction when the module could not be initialised.
extern bool g_moduleInitFailed;

// Entry points handed to Windows; they forward to the module object by its own type.
void WINAPI ServiceEntry(DWORD argc, LPSTR* argv);
void WINAPI ControlHandlerEntry(DWORD code);
