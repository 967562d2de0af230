#include "TypeLibrary.h"

#include <shlwapi.h>

#include "ModulePath.h"
#include "Win32Result.h"

namespace {

HRESULT LoadFromPath(const char* path, ITypeLib** library)
{
    WCHAR widePath[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH))
        return HResultFromWin32(GetLastError());
    return LoadTypeLib(widePath, library);
}

} // namespace

HRESULT LoadModuleTypeLib(ITypeLib** library, char* path)
{
    *library = NULL;
    HRESULT hr = GetModulePath(path);
    if (FAILED(hr))
        return hr;
    hr = LoadFromPath(path, library);
    if (SUCCEEDED(hr))
        return hr;

    char* extension = PathFindExtensionA(path);
    const char tlb[] = ".tlb";
    if ((extension - path) + sizeof(tlb) > MAX_PATH)
        return E_FAIL;
    lstrcpyA(extension, tlb);
    return LoadFromPath(path, library);
}

HRESULT RegisterModuleTypeLib()
{
    ITypeLib* library;
    char path[MAX_PATH];
    HRESULT hr = LoadModuleTypeLib(&library, path);
    if (FAILED(hr))
        return hr;

    char helpDir[MAX_PATH];
    lstrcpyA(helpDir, path);
    char* end = helpDir;
    for (char* c = helpDir; *c; ++c)
        if (*c == '\\' || *c == '/' || *c == ':')
            end = c + 1;
    *end = '\0';

    WCHAR widePath[MAX_PATH], wideHelpDir[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH);
    MultiByteToWideChar(CP_ACP, 0, helpDir, -1, wideHelpDir, MAX_PATH);
    hr = RegisterTypeLib(library, widePath, wideHelpDir);
    library->Release();
    return hr;
}

HRESULT UnregisterModuleTypeLib()
{
    ITypeLib* library;
    char path[MAX_PATH];
    HRESULT hr = LoadModuleTypeLib(&library, path);
    if (FAILED(hr))
        return hr;
    TLIBATTR* attributes;
    hr = library->GetLibAttr(&attributes);
    if (SUCCEEDED(hr)) {
        GUID libId = attributes->guid;
        LCID lcid = attributes->lcid;
        library->ReleaseTLibAttr(attributes);
#ifdef _WIN64
        const SYSKIND kind = SYS_WIN64;
#else
        const SYSKIND kind = SYS_WIN32;
#endif
        hr = UnRegisterTypeLib(libId, 1, 0, lcid, kind);
    }
    library->Release();
    return hr;
}
