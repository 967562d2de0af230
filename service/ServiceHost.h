#pragma once
#include <windows.h>

// The service host: runs the program under the Service Control Manager (or as a plain
// COM server) on behalf of the one module object.
class CServiceHost {
public:
    CServiceHost();
    virtual ~CServiceHost();

    void HostServiceMain(DWORD argc, LPSTR* argv);
    void HandleControl(DWORD code);

    SERVICE_STATUS m_status;
};
