#pragma once
#include <windows.h>

// A Win32 error code as an HRESULT: code c > 0 becomes 0x80070000 | (c & 0xFFFF).
inline HRESULT HResultFromWin32(DWORD code)
{
    return code > 0 ? static_cast<HRESULT>(0x80070000u | (code & 0xFFFFu)) : S_OK;
}
