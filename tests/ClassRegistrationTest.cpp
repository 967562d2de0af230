// The class's registry entries and the type library registration, written and removed by
// this test program itself (the entries then name this program's file).
#include <gtest/gtest.h>
#include <windows.h>

#include "ClassEntries.h"
#include "ElapsedTime.h"
#include "ElapsedTimeService.h"
#include "ProductIds.h"
#include "Registry.h"

namespace {

const HKEY kRoot = HKEY_CLASSES_ROOT;
#define CLASS_KEY "CLSID\\" VASK_CLSID_ELAPSEDTIME_TEXT
const char kOtherClass[] = "CLSID\\{0D7A4E57-5C62-4C0B-9B0C-1C2D3E4F5A6B}";

std::string ThisProgram()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    return path;
}

void WriteString(const char* key, const char* name, const char* text)
{
    WriteRaw(kRoot, key, name, REG_SZ, text, lstrlenA(text) + 1);
}

class ClassRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        module = new CElapsedTimeService;
    }
    void TearDown() override
    {
        module->UnregisterServer();
        DeleteTree(kRoot, kOtherClass);
        delete module;
        CoUninitialize();
    }
    CElapsedTimeService* module = NULL;
};

TEST_F(ClassRegistrationTest, RegisterWritesEveryEntryAndTheTypeLibraryUnregisterRemovesThem)
{
    WriteString(kOtherClass, NULL, "someone else's class");
    ASSERT_EQ(S_OK, module->RegisterServer());
    ExpectClassEntries(ThisProgram());
    ExpectTypeLibRegistered(ThisProgram());

    ASSERT_EQ(S_OK, module->UnregisterServer());
    ExpectNoClassEntries();
    ExpectTypeLibNotRegistered();
    EXPECT_TRUE(KeyExists(kRoot, kOtherClass));
}

TEST_F(ClassRegistrationTest, RegisteringAgainReplacesTheClassKeyWithEverythingBeneathIt)
{
    ASSERT_EQ(S_OK, module->RegisterServer());
    WriteString(CLASS_KEY "\\InprocHandler32", NULL, "ole32.dll");
    WriteString(CLASS_KEY "\\Programmable\\Added\\Deeper", NULL, "x");
    WriteString(CLASS_KEY "\\LocalServer32", "Extra", "x");
    WriteString(CLASS_KEY "\\LocalServer32", NULL, "C:\\elsewhere.exe");
    WriteString(CLASS_KEY, "Foreign", "x");
    // The ProgID keys are opened and written again, not replaced.
    WriteString("VaskService.ElapsedTime\\Kept", NULL, "x");

    ASSERT_EQ(S_OK, module->RegisterServer());
    ExpectClassEntries(ThisProgram());
    EXPECT_FALSE(KeyExists(kRoot, CLASS_KEY "\\InprocHandler32"));
    EXPECT_FALSE(KeyExists(kRoot, CLASS_KEY "\\Programmable\\Added"));
    DWORD type;
    std::string data;
    EXPECT_FALSE(ReadRaw(kRoot, CLASS_KEY "\\LocalServer32", "Extra", &type, &data));
    EXPECT_FALSE(ReadRaw(kRoot, CLASS_KEY, "Foreign", &type, &data));
    EXPECT_TRUE(KeyExists(kRoot, "VaskService.ElapsedTime\\Kept"));
}

TEST_F(ClassRegistrationTest, UnregisterRemovesWholeTreesAndPassesOverMissingKeys)
{
    ASSERT_EQ(S_OK, CElapsedTime::UpdateRegistry(TRUE));
    WriteString("VaskService.ElapsedTime.1\\Added\\Deeper", NULL, "x");
    WriteString(CLASS_KEY "\\LocalServer32\\Added", NULL, "x");
    WriteString(CLASS_KEY "\\Implemented Categories\\{00000000-0000-0000-0000-000000000000}",
                NULL, "");
    ASSERT_EQ(S_OK, CElapsedTime::UpdateRegistry(FALSE));
    ExpectNoClassEntries();

    EXPECT_EQ(S_OK, CElapsedTime::UpdateRegistry(FALSE));
    WriteString("VaskService.ElapsedTime", NULL, "left behind");
    EXPECT_EQ(S_OK, CElapsedTime::UpdateRegistry(FALSE));
    ExpectNoClassEntries();
}

TEST_F(ClassRegistrationTest, UnregisterWithNothingRegisteredEndsWithTheTypeLibraryResult)
{
#ifdef _WIN64
    const SYSKIND kind = SYS_WIN64;
#else
    const SYSKIND kind = SYS_WIN32;
#endif
    HRESULT notRegistered = UnRegisterTypeLib(kAppId, 1, 0, LANG_NEUTRAL, kind);
    ASSERT_TRUE(FAILED(notRegistered));
    EXPECT_EQ(notRegistered, module->UnregisterServer());
    ExpectNoClassEntries();
}

} // namespace
