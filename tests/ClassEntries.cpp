#include "ClassEntries.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include "ProductIds.h"
#include "Registry.h"

namespace {

const HKEY kRoot = HKEY_CLASSES_ROOT;
#define CLASS_KEY "CLSID\\" VASK_CLSID_ELAPSEDTIME_TEXT

void ExpectString(const char* key, const char* name, const std::string& expected)
{
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadRaw(kRoot, key, name, &type, &data)) << key << " : " << (name ? name : "@");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type) << key;
    EXPECT_EQ(expected + '\0', data) << key << " : " << (name ? name : "@");
}

#ifdef _WIN64
const char kSysKind[] = "win64";
#else
const char kSysKind[] = "win32";
#endif

} // namespace

void ExpectClassEntries(const std::string& exePath)
{
    const struct {
        const char* key;
        const char* name;
        std::string data;
    } entries[] = {
        {"VaskService.ElapsedTime.1", NULL, "CElapsedTime Object"},
        {"VaskService.ElapsedTime.1\\CLSID", NULL, VASK_CLSID_ELAPSEDTIME_TEXT},
        {"VaskService.ElapsedTime", NULL, "CElapsedTime Object"},
        {"VaskService.ElapsedTime\\CLSID", NULL, VASK_CLSID_ELAPSEDTIME_TEXT},
        {"VaskService.ElapsedTime\\CurVer", NULL, "VaskService.ElapsedTime.1"},
        {CLASS_KEY, NULL, "CElapsedTime Object"},
        {CLASS_KEY "\\ProgID", NULL, "VaskService.ElapsedTime.1"},
        {CLASS_KEY "\\VersionIndependentProgID", NULL, "VaskService.ElapsedTime"},
        {CLASS_KEY "\\LocalServer32", NULL, "\"" + exePath + "\""},
        {CLASS_KEY "\\LocalServer32", "ThreadingModel", "apartment"},
        {CLASS_KEY, "AppID", VASK_APPID_TEXT},
        {CLASS_KEY "\\TypeLib", NULL, VASK_APPID_TEXT},
    };
    for (const auto& entry : entries)
        ExpectString(entry.key, entry.name, entry.data);
    EXPECT_TRUE(KeyExists(kRoot, CLASS_KEY "\\Programmable"));
    EXPECT_FALSE(KeyExists(kRoot, CLASS_KEY "\\Implemented Categories"));
    EXPECT_FALSE(KeyExists(kRoot, CLASS_KEY "\\Required Categories"));
    EXPECT_FALSE(KeyExists(kRoot, CLASS_KEY "\\InprocServer32"));
}

void ExpectNoClassEntries()
{
    EXPECT_FALSE(KeyExists(kRoot, "VaskService.ElapsedTime.1"));
    EXPECT_FALSE(KeyExists(kRoot, "VaskService.ElapsedTime"));
    EXPECT_FALSE(KeyExists(kRoot, CLASS_KEY));
    EXPECT_TRUE(KeyExists(kRoot, "CLSID"));
}

void ExpectTypeLibRegistered(const std::string& libraryPath)
{
    std::string version = std::string("TypeLib\\") + VASK_APPID_TEXT + "\\1.0";
    ExpectString(version.c_str(), NULL, "VaskService 1.0 Type Library");
    ExpectString((version + "\\0\\" + kSysKind).c_str(), NULL, libraryPath);

    std::string iface = std::string("Interface\\") + VASK_IID_IELAPSEDTIME_TEXT;
    ExpectString(iface.c_str(), NULL, "IElapsedTime");
    ExpectString((iface + "\\ProxyStubClsid32").c_str(), NULL,
                 "{00020424-0000-0000-C000-000000000046}");
    ExpectString((iface + "\\TypeLib").c_str(), NULL, VASK_APPID_TEXT);

    ITypeLib* library = NULL;
    EXPECT_EQ(S_OK, LoadRegTypeLib(kAppId, 1, 0, LANG_NEUTRAL, &library));
    if (library)
        library->Release();
}

void ExpectTypeLibNotRegistered()
{
    EXPECT_FALSE(KeyExists(kRoot, (std::string("TypeLib\\") + VASK_APPID_TEXT).c_str()));
    EXPECT_FALSE(
        KeyExists(kRoot, (std::string("Interface\\") + VASK_IID_IELAPSEDTIME_TEXT).c_str()));
    ITypeLib* library = NULL;
    EXPECT_EQ(TYPE_E_LIBNOTREGISTERED, LoadRegTypeLib(kAppId, 1, 0, LANG_NEUTRAL, &library));
}
