#include "ViewerState.h"

HINSTANCE AppInstance;
char WindowTitle[100];
char WindowClassName[100];
PDH_HCOUNTER* CounterHandleStorage;
PDH_HQUERY UpTimeQuery;
ElapsedSeconds StoredElapsed;
ElapsedSeconds UpTimeSample;
DWORD Rating;
DWORD AlarmFlag;
