#pragma once
#include <windows.h>

// The service's signals go through this pointer so that tests can record them.
typedef BOOL(WINAPI* BeepFunction)(DWORD frequency, DWORD duration);
extern BeepFunction g_beep;
