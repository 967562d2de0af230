#pragma once
#include <windows.h>
#include <pdh.h>

#include "ElapsedStore.h"

// The viewer's process-wide state: one window, one thread, alive as long as the process.
extern HINSTANCE AppInstance;
extern char WindowTitle[100];
extern char WindowClassName[100];
extern PDH_HCOUNTER* CounterHandleStorage;
extern PDH_HQUERY UpTimeQuery;
extern ElapsedSeconds StoredElapsed;
extern ElapsedSeconds UpTimeSample;
extern DWORD Rating;
extern DWORD AlarmFlag;
