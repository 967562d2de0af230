#pragma once
#include <windows.h>

#include <string>

// Windows path of a file of this build, given its path on the Linux side of Wine.
std::string WindowsPath(const char* unixPath);
std::string ServiceExePath();
std::string ViewerExePath();

// Starts a program with a command line (arguments after the quoted program path).
// Returns the process handle, or NULL.
HANDLE StartProgram(const std::string& exe, const std::string& arguments);

// Waits for a started process; true with its exit code when it ended within the timeout.
bool WaitForExit(HANDLE process, DWORD timeoutMs, DWORD* exitCode);

// StartProgram + WaitForExit; a process still running at the timeout is killed and
// false is returned.
bool RunProgram(const std::string& exe, const std::string& arguments, DWORD timeoutMs,
                DWORD* exitCode);

// Polls a condition every 20 ms until it holds or the timeout passes.
template <typename Condition> bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
}
