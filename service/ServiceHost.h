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

    // Actions run at teardown, last added first; false when the list is full.
    typedef void (*CleanupAction)(void* argument);
    bool AddCleanup(CleanupAction action, void* argument);

    volatile LONG m_lockCount;
    // Serialises one-time loads and the clean-up list.
    CRITICAL_SECTION m_moduleLock;
    SERVICE_STATUS m_status;

private:
    struct Cleanup {
        CleanupAction action;
        void* argument;
    };
    Cleanup m_cleanups[8];
    int m_cleanupCount;
};

// The process's one module object, set by its constructor.
extern CServiceHost* g_pModule;
