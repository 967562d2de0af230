#include <gtest/gtest.h>

#include "Registry.h"
#include "RegistryScript.h"

namespace {

const char kScratch[] = "Software\\VaskScriptTest";

// Leads "HKCR" to a scratch key, so that scripts run without touching the real classes.
class ScratchRoots : public CRegistryRoots {
public:
    explicit ScratchRoots(HKEY scratch) : m_scratch(scratch) {}
    HKEY Find(const std::string& name) const override
    {
        return name == "HKCR" ? m_scratch : NULL;
    }

private:
    HKEY m_scratch;
};

class RegistryScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_CURRENT_USER, kScratch);
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, NULL, 0,
                                                 KEY_ALL_ACCESS, NULL, &scratch, NULL));
        variables.Add("APPID", "{6D5C494B-37F9-4BA5-A58D-5FA0883DE937}");
    }
    void TearDown() override
    {
        RegCloseKey(scratch);
        DeleteTree(HKEY_CURRENT_USER, kScratch);
    }

    HRESULT Apply(const char* script, bool registering)
    {
        return ApplyRegistryScript(script, variables, registering, ScratchRoots(scratch));
    }
    static std::string Path(const char* below) { return std::string(kScratch) + "\\" + below; }
    static bool Exists(const char* below) { return KeyExists(HKEY_CURRENT_USER, Path(below).c_str()); }
    static std::string Text(const char* below, const char* name)
    {
        DWORD type = 0;
        std::string data;
        if (!ReadRaw(HKEY_CURRENT_USER, Path(below).c_str(), name, &type, &data))
            return "<absent>";
        if (type != REG_SZ || data.empty() || data.back() != 0)
            return "<not a string>";
        return data.substr(0, data.size() - 1);
    }

    HKEY scratch;
    CRegistryVariables variables;
};

const char kAppIdScript[] = "HKCR\r\n{\r\n\tNoRemove AppID\r\n\t{\r\n"
                            "\t\t'%APPID%' = s 'VaskService'\r\n"
                            "\t\t'VaskService.EXE'\r\n\t\t{\r\n"
                            "\t\t\tval AppID = s '%APPID%'\r\n\t\t}\r\n\t}\r\n}\r\n";

TEST_F(RegistryScriptTest, AppIdScriptRegistersAndUnregisters)
{
    ASSERT_EQ(S_OK, Apply(kAppIdScript, true));
    EXPECT_EQ("VaskService", Text("AppID\\{6D5C494B-37F9-4BA5-A58D-5FA0883DE937}", NULL));
    EXPECT_EQ("{6D5C494B-37F9-4BA5-A58D-5FA0883DE937}", Text("AppID\\VaskService.EXE", "AppID"));
    EXPECT_EQ("<absent>", Text("AppID\\VaskService.EXE", NULL)) << "no default value";

    // Others' entries under the kept key stay; everything of ours goes, with what is beneath.
    WriteRaw(HKEY_CURRENT_USER, Path("AppID\\{Other}").c_str(), "x", REG_SZ, "1", 2);
    WriteRaw(HKEY_CURRENT_USER, Path("AppID\\{6D5C494B-37F9-4BA5-A58D-5FA0883DE937}\\Sub").c_str(),
             "x", REG_SZ, "1", 2);
    ASSERT_EQ(S_OK, Apply(kAppIdScript, false));
    EXPECT_TRUE(Exists("AppID"));
    EXPECT_TRUE(Exists("AppID\\{Other}"));
    EXPECT_FALSE(Exists("AppID\\{6D5C494B-37F9-4BA5-A58D-5FA0883DE937}"));
    EXPECT_FALSE(Exists("AppID\\VaskService.EXE"));

    EXPECT_EQ(S_OK, Apply(kAppIdScript, false)) << "what is already gone is passed over";
    DeleteTree(HKEY_CURRENT_USER, Path("AppID").c_str());
    EXPECT_EQ(S_OK, Apply(kAppIdScript, false));
}

TEST_F(RegistryScriptTest, NamedValueIsRemovedBeforeItsKey)
{
    // A key kept at removal loses only the values the script names.
    const char script[] = "HKCR { NoRemove Kept { val Ours = s 'a' } }";
    ASSERT_EQ(S_OK, Apply(script, true));
    WriteRaw(HKEY_CURRENT_USER, Path("Kept").c_str(), "Theirs", REG_SZ, "b", 2);
    ASSERT_EQ(S_OK, Apply(script, false));
    EXPECT_EQ("<absent>", Text("Kept", "Ours"));
    EXPECT_EQ("b", Text("Kept", "Theirs"));
}

TEST_F(RegistryScriptTest, PathsWithBlanksAndApostrophesComeBackUnchanged)
{
    const char path[] = "C:\\Vask test's dir\\Vask O'Brien's ''x''.exe";
    variables.Add("Module", "\"" + QuoteForScript(path) + "\"");
    variables.Add("Module_Raw", QuoteForScript(path));
    const char script[] = "HKCR { 'It''s %MoDuLe_RaW%' = s '%MODULE%' { val 'a b' = s '%module_raw%' } "
                          "Percent = s '100%%' Number = d '0x2A' }";
    ASSERT_EQ(S_OK, Apply(script, true));
    const std::string key = std::string("It's ") + path;
    EXPECT_EQ(std::string("\"") + path + "\"", Text(key.c_str(), NULL));
    EXPECT_EQ(path, Text(key.c_str(), "a b"));
    EXPECT_EQ("100%", Text("Percent", NULL));
    DWORD number = 0;
    EXPECT_TRUE(ReadDword(HKEY_CURRENT_USER, Path("Number").c_str(), NULL, &number));
    EXPECT_EQ(42u, number);
}

TEST_F(RegistryScriptTest, MalformedScriptsWriteNothing)
{
    const char* scripts[] = {
        "HKCR { A = s 'x' } HKCR { B = s '%NOSUCH%' }",
        "HKCR { A = s 'x' } HKCR { B = s '%APPID }",
        "HKCR { A = s 'x' } HKCR { B = s 'unclosed }",
        "HKCR { A = s 'x' } HKCR { B { }",
        "HKCR { A = s 'x' } HKCR { B = q 'x' }",
        "HKCR { A = s 'x' } HKCR { B = d 'twelve' }",
        "HKCR { A = s 'x' } HKCR { B = s x }",
        "HKCR { A = s 'x' } HKXX { B }",
        "HKCR { A = s 'x' } HKCR { val = s 'x' }",
        "HKCR { A = s 'x' } HKCR { NoRemove }",
        "HKCR { A = s 'x' } }",
    };
    for (const char* script : scripts) {
        EXPECT_EQ(static_cast<HRESULT>(0x8007000D), Apply(script, true)) << script;
        EXPECT_FALSE(Exists("A")) << script;
    }
}

TEST_F(RegistryScriptTest, ForceRemoveReplacesTheKey)
{
    WriteRaw(HKEY_CURRENT_USER, Path("Fresh\\Old").c_str(), "x", REG_SZ, "1", 2);
    ASSERT_EQ(S_OK, Apply("HKCR { ForceRemove Fresh { New } }", true));
    EXPECT_FALSE(Exists("Fresh\\Old"));
    EXPECT_TRUE(Exists("Fresh\\New"));
}

} // namespace
