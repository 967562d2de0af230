#include "ModulePath.h"
#include "ProductIds.h"
#include "ServiceHost.h"
#include "Win32Result.h"

namespace {

const int kAppIdScriptId = 101;

// The script resource as zero-ended text.
HRESULT LoadScript(const char* modulePath, std::string* script)
{
    HMODULE module = LoadLibraryExA(modulePath, NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return HResultFromWin32(GetLastError());
    HRESULT hr = S_OK;
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(kAppIdScriptId), "REGISTRY");
    HGLOBAL loaded = resource ? LoadResource(module, resource) : NULL;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : NULL;
    if (bytes)
        script->assign(bytes, SizeofResource(module, resource));
    else
        hr = HResultFromWin32(GetLastError());
    FreeLibrary(module);
    return hr;
}

} // namespace

HRESULT CServiceHost::UpdateRegistryAppId(bool registering)
{
    char path[MAX_PATH];
    HRESULT hr = GetModulePath(path);
    if (FAILED(hr))
        return hr;

    CRegistryVariables variables;
    AddAppIdReplacement(&variables);
    std::string quotedPath = QuoteForScript(path);
    variables.Add("Module", "\"" + quotedPath + "\"");
    variables.Add("Module_Raw", quotedPath);

    std::string script;
    hr = LoadScript(path, &script);
    if (FAILED(hr))
        return hr;
    return ApplyRegistryScript(script.c_str(), variables, registering, CRegistryRoots());
}

HRESULT CServiceHost::RegisterAppId(bool asService)
{
    if (!Uninstall())
        return E_FAIL;
    HRESULT hr = UpdateRegistryAppId(true);
    if (FAILED(hr))
        return hr;

    HKEY appIds;
    LONG status = RegOpenKeyExA(HKEY_CLASSES_ROOT, "AppID", 0, KEY_WRITE, &appIds);
    if (status != ERROR_SUCCESS)
        return HResultFromWin32(status);
    HKEY appId;
    status = RegCreateKeyExA(appIds, VASK_APPID_TEXT, 0, NULL, REG_OPTION_NON_VOLATILE,
                             KEY_READ | KEY_WRITE, NULL, &appId, NULL);
    if (status != ERROR_SUCCESS) {
        RegCloseKey(appIds);
        return HResultFromWin32(status);
    }
    RegDeleteValueA(appId, "LocalService");

    hr = S_OK;
    if (asService) {
        RegSetValueExA(appId, "LocalService", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(m_serviceName),
                       lstrlenA(m_serviceName) + 1);
        if (!Install())
            hr = E_FAIL;
    }
    RegCloseKey(appId);
    RegCloseKey(appIds);
    return hr;
}

HRESULT CServiceHost::UnregisterAppId()
{
    if (!Uninstall())
        return E_FAIL;

    HKEY appIds;
    LONG status = RegOpenKeyExA(HKEY_CLASSES_ROOT, "AppID", 0, KEY_WRITE, &appIds);
    if (status != ERROR_SUCCESS)
        return HResultFromWin32(status);
    HKEY appId;
    status = RegOpenKeyExA(appIds, VASK_APPID_TEXT, 0, KEY_WRITE, &appId);
    if (status != ERROR_SUCCESS) {
        RegCloseKey(appIds);
        return HResultFromWin32(status);
    }
    RegDeleteValueA(appId, "LocalService");

    HRESULT hr = UpdateRegistryAppId(false);
    RegCloseKey(appId);
    RegCloseKey(appIds);
    return hr;
}
