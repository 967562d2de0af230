#pragma once
#include <windows.h>

#include <string>

#include "ProductIds.h"

// Registry paths and SCM helpers shared by the tests that drive the real program.
#define VASK_APPID_KEY "AppID\\" VASK_APPID_TEXT
#define VASK_APPID_EXE_KEY "AppID\\VaskService.EXE"
#define VASK_TYPELIB_KEY "TypeLib\\" VASK_APPID_TEXT

extern const char kServiceName[];

// Stops and deletes the service (and a test's decoy service), removes the AppID entries and
// the type library registration: the "never registered" state.
void RemoveRegistration();

// 0 when the service does not exist.
DWORD ServiceState(const char* name);
bool WaitForServiceState(const char* name, DWORD state, DWORD timeoutMs);
bool StopAndDeleteService(const char* name);
// Starts an installed service through the SCM and waits until it reports RUNNING.
bool StartAndWaitForService(const char* name);
// The process of a running service (SYNCHRONIZE and query access), or NULL.
HANDLE OpenServiceProcess(SC_HANDLE service);

// Runs the program with the arguments; the exit code, or 0xDEAD when it did not end in time.
DWORD RunService(const std::string& arguments, const std::string& exe = std::string());
