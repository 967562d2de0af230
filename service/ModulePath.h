#pragma once
#include <windows.h>

// The program's full path into a buffer of MAX_PATH characters. A path that does not fit
// fails with 0x8007007A (ERROR_INSUFFICIENT_BUFFER), a failed call with its error code.
HRESULT GetModulePath(char* path);
