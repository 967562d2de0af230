#include "ClassRegistration.h"

#include "ElapsedTime.h"
#include "ModulePath.h"
#include "ProductIds.h"
#include "RegistryTree.h"
#include "ReplaceVariables.h"
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

struct Variables {
    char quotedModule[MAX_PATH + 2];
    char module[MAX_PATH];
    char libId[40];
    ReplacementVariable table[6];
};

HRESULT SetUpVariables(Variables* v)
{
    HRESULT hr = GetModulePath(v->module);
    if (FAILED(hr))
        return hr;
    wsprintfA(v->quotedModule, "\"%s\"", v->module);

    LPOLESTR libId;
    hr = StringFromCLSID(kAppId, &libId);
    if (FAILED(hr))
        return hr;
    WideCharToMultiByte(CP_ACP, 0, libId, -1, v->libId, sizeof(v->libId), NULL, NULL);
    CoTaskMemFree(libId);

    const ReplacementVariable table[] = {
        {"Module", v->quotedModule},   {"Module_Raw", v->module},
        {"MODULEGUID", v->libId},      {"MODULETYPE", kModuleType},
        {"APPID", VASK_APPID_TEXT},    {"FriendlyName", VASK_CLASS_FRIENDLY_NAME},
    };
    for (size_t i = 0; i < sizeof(table) / sizeof(table[0]); ++i)
        v->table[i] = table[i];
    return S_OK;
}

HRESULT Expand(const Variables& v, const char* text, char* out, size_t outSize)
{
    const size_t count = sizeof(v.table) / sizeof(v.table[0]);
    return ReplaceVariables(text, v.table, count, out, outSize) ? S_OK : E_FAIL;
}

HRESULT WriteEntry(const Variables& v, const Entry& entry)
{
    char keyName[MAX_PATH];
    HRESULT hr = Expand(v, entry.key, keyName, sizeof(keyName));
    if (FAILED(hr))
        return hr;
    if (entry.flags & kDeleteFirst) {
        LONG error = DeleteKeyTree(HKEY_CLASSES_ROOT, keyName);
        if (error != ERROR_SUCCESS)
            return HResultFromWin32(error);
    }

    HKEY key;
    LONG error = RegOpenKeyExA(HKEY_CLASSES_ROOT, keyName, 0, KEY_READ | KEY_WRITE, &key);
    if (error != ERROR_SUCCESS)
        error = RegCreateKeyExA(HKEY_CLASSES_ROOT, keyName, 0, NULL, REG_OPTION_NON_VOLATILE,
                                KEY_READ | KEY_WRITE, NULL, &key, NULL);
    if (error != ERROR_SUCCESS)
        return HResultFromWin32(error);

    if (entry.data) {
        char data[2 * MAX_PATH];
        hr = Expand(v, entry.data, data, sizeof(data));
        if (SUCCEEDED(hr)) {
            error = RegSetValueExA(key, entry.valueName, 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(data), lstrlenA(data) + 1);
            hr = HResultFromWin32(error);
        }
    }
    RegCloseKey(key);
    return hr;
}

HRESULT RemoveKey(const Variables& v, const char* name)
{
    char keyName[MAX_PATH];
    HRESULT hr = Expand(v, name, keyName, sizeof(keyName));
    if (FAILED(hr))
        return hr;
    return HResultFromWin32(DeleteKeyTree(HKEY_CLASSES_ROOT, keyName));
}

} // namespace

HRESULT CElapsedTime::UpdateRegistry(BOOL registering)
{
    Variables variables;
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
