#pragma once
#include <windows.h>

// The service host: runs the program under the Service Control Manager (or as a plain
// COM server) on behalf of the one module object.
class CServiceHost {
public:
    CServiceHost();
    virtual ~CServiceHost();
    // Server locks: one per live COM instance and per LockServer(TRUE).
    virtual LONG AddLock();
    virtual LONG ReleaseLock();

    // Class entries of every row of the class table, then the type library.
    HRESULT RegisterServer();
    HRESULT UnregisterServer();

    void HostServiceMain(DWORD argc, LPSTR* argv);
    void HandleControl(DWORD code);

    volatile LONG m_lockCount;
    SERVICE_STATUS m_status;
};

// The process's one module object, set by its constructor.
extern CServiceHost* g_pModule;
