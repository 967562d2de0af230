#include "ModulePath.h"

#include "Win32Result.h"

HRESULT GetModulePath(char* path)
{
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0)
        return HResultFromWin32(GetLastError());
    if (length == MAX_PATH)
        return HResultFromWin32(ERROR_INSUFFICIENT_BUFFER);
    return S_OK;
}
