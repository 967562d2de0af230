#pragma once
#include <windows.h>

#include <vector>

// Running processes of the service program (found by file name), for tests whose server COM
// launched on its own.
std::vector<DWORD> ServerProcessIds();
// Waits until no server process runs; true when that happened within the timeout.
bool WaitForNoServer(DWORD timeoutMs);
