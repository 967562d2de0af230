#include "ClassRegistration.h"

#include "ElapsedTime.h"
#include "ModulePath.h"
#include "ProductIds.h"
#include "RegistryTree.h"
#include "RegistryScript.h"
#include "Win32Result.h"

namespace {

#define CLASS_KEY "CLSID\\" VASK_CLSID_ELAPSEDTIME_TEXT

// The class is always served by this executable; the file type is not asked of the shell.
const char kModuleType[] = "LocalServer32";

enum EntryFlags { kWriteKey = 0, kDeleteFirst = 1 };

struct Entry {
    const char* key;
    const char* valueName; // NULL: the default value
    const char* data;      // NULL: the key only
    int flags;
};

// Written in this order, each key below HKEY_CLASSES_ROOT.
const Entry kEntries[] = {
    {VASK_PROGID, NULL, "%FriendlyName%", kWriteKey},
    {VASK_PROGID "\\CLSID", NULL, VASK_CLSID_ELAPSEDTIME_TEXT, kWriteKey},
    {VASK_VERSION_INDEPENDENT_PROGID, NULL, "%FriendlyName%", kWriteKey},
    {VASK_VERSION_INDEPENDENT_PROGID "\\CLSID", NULL, VASK_CLSID_ELAPSEDTIME_TEXT, kWriteKey},
    {VASK_VERSION_INDEPENDENT_PROGID "\\CurVer", NULL, VASK_PROGID, kWriteKey},
    {"CLSID", NULL, NULL, kWriteKey},
    {CLASS_KEY, NULL, "%FriendlyName%", kDeleteFirst},
    {CLASS_KEY "\\ProgID", NULL, VASK_PROGID, kWriteKey},
    {CLASS_KEY "\\VersionIndependentProgID", NULL, VASK_VERSION_INDEPENDENT_PROGID, kWriteKey},
    {CLASS_KEY "\\Programmable", NULL, NULL, kDeleteFirst},
    {CLASS_KEY "\\%MODULETYPE%", NULL, "%Module%", kWriteKey},
    {CLASS_KEY "\\%MODULETYPE%", "ThreadingModel", "apartment", kWriteKey},
    {CLASS_KEY, "AppID", "%APPID%", kWriteKey},
    {CLASS_KEY "\\TypeLib", NULL, "%MODULEGUID%", kWriteKey},
};

// Deleted in this order at unregistration; HKEY_CLASSES_ROOT\CLSID stays.
const char* const kRemovedKeys[] = {
    VASK_PROGID,
    VASK_VERSION_INDEPENDENT_PROGID,
    CLASS_KEY "\\%MODULETYPE%",
    CLASS_KEY,
};

HRESULT SetUpVariables(CRegistryVariables* variables)
{
    char path[MAX_PATH];
    HRESULT hr = GetModulePath(path);
    if (FAILED(hr))
        return hr;
    LPOLESTR wideLibId;
    hr = StringFromCLSID(kAppId, &wideLibId);
    if (FAILED(hr))
        return hr;
    char libId[40];
    WideCharToMultiByte(CP_ACP, 0, wideLibId, -1, libId, sizeof(libId), NULL, NULL);
    CoTaskMemFree(wideLibId);

    variables->Add("Module", std::string("\"") + path + "\"");
    variables->Add("Module_Raw", path);
    variables->Add("MODULEGUID", libId);
    variables->Add("MODULETYPE", kModuleType);
    variables->Add("APPID", VASK_APPID_TEXT);
    variables->Add("FriendlyName", VASK_CLASS_FRIENDLY_NAME);
    return S_OK;
}

HRESULT Expand(const CRegistryVariables& variables, const char* text, std::string* out)
{
    return ExpandVariables(text, variables, out) ? S_OK : E_FAIL;
}

HRESULT WriteEntry(const CRegistryVariables& variables, const Entry& entry)
{
    std::string keyName;
    HRESULT hr = Expand(variables, entry.key, &keyName);
    if (FAILED(hr))
        return hr;
    if (entry.flags & kDeleteFirst) {
        LONG error = DeleteKeyTree(HKEY_CLASSES_ROOT, keyName.c_str());
        if (error != ERROR_SUCCESS)
            return HResultFromWin32(error);
    }

    HKEY key;
    LONG error = RegOpenKeyExA(HKEY_CLASSES_ROOT, keyName.c_str(), 0, KEY_READ | KEY_WRITE, &key);
    if (error != ERROR_SUCCESS)
        error = RegCreateKeyExA(HKEY_CLASSES_ROOT, keyName.c_str(), 0, NULL, REG_OPTION_NON_VOLATILE,
                                KEY_READ | KEY_WRITE, NULL, &key, NULL);
    if (error != ERROR_SUCCESS)
        return HResultFromWin32(error);

    if (entry.data) {
        std::string data;
        hr = Expand(variables, entry.data, &data);
        if (SUCCEEDED(hr)) {
            error = RegSetValueExA(key, entry.valueName, 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(data.c_str()),
                                   static_cast<DWORD>(data.size() + 1));
            hr = HResultFromWin32(error);
        }
    }
    RegCloseKey(key);
    return hr;
}

HRESULT RemoveKey(const CRegistryVariables& variables, const char* name)
{
    std::string keyName;
    HRESULT hr = Expand(variables, name, &keyName);
    if (FAILED(hr))
        return hr;
    return HResultFromWin32(DeleteKeyTree(HKEY_CLASSES_ROOT, keyName.c_str()));
}

} // namespace

HRESULT CElapsedTime::UpdateRegistry(BOOL registering)
{
    CRegistryVariables variables;
    HRESULT hr = SetUpVariables(&variables);
    if (FAILED(hr))
        return hr;
    if (registering) {
        for (size_t i = 0; i < sizeof(kEntries) / sizeof(kEntries[0]) && SUCCEEDED(hr); ++i)
            hr = WriteEntry(variables, kEntries[i]);
    } else {
        for (size_t i = 0; i < sizeof(kRemovedKeys) / sizeof(kRemovedKeys[0]) && SUCCEEDED(hr);
             ++i)
            hr = RemoveKey(variables, kRemovedKeys[i]);
    }
    return hr;
}
