#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Programs.h"

namespace {

std::string ResourceBytes(const char* type, int id, WORD language)
{
    HMODULE module = LoadLibraryExA(ServiceExePath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return "<no file>";
    std::string bytes = "<no resource>";
    HRSRC resource = FindResourceExA(module, type, MAKEINTRESOURCEA(id), language);
    if (resource) {
        const char* data = static_cast<const char*>(LockResource(LoadResource(module, resource)));
        bytes.assign(data, SizeofResource(module, resource));
    }
    FreeLibrary(module);
    return bytes;
}

TEST(Resources, AppIdScriptIsTheRegistryResource)
{
    const std::string expected = "HKCR\r\n"
                                 "{\r\n"
                                 "\tNoRemove AppID\r\n"
                                 "\t{\r\n"
                                 "\t\t'%APPID%' = s 'VaskService'\r\n"
                                 "\t\t'VaskService.EXE'\r\n"
                                 "\t\t{\r\n"
                                 "\t\t\tval AppID = s '%APPID%'\r\n"
                                 "\t\t}\r\n"
                                 "\t}\r\n"
                                 "}\r\n";
    EXPECT_EQ(127u, expected.size());
    EXPECT_EQ(expected, ResourceBytes("REGISTRY", 101, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK)));
}

TEST(Resources, ManifestAsksForNoElevation)
{
    std::string manifest = ResourceBytes(MAKEINTRESOURCEA(24), 1,
                                         MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK));
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\"")) << manifest;
}

TEST(Resources, VersionBlockMarksASelfRegisteringProgram)
{
    const std::string path = ServiceExePath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = NULL;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS);
    EXPECT_EQ(0x3Fu, fixed->dwFileFlagsMask);
    EXPECT_EQ(0u, fixed->dwFileFlags);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

    WORD* translation = NULL;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0809, translation[0]);
    EXPECT_EQ(1252, translation[1]);

    const struct {
        const char* name;
        const char* value;
    } strings[] = {{"FileVersion", "1.0.0.1"},
                   {"ProductVersion", "1.0.0.1"},
                   {"InternalName", "VaskService.exe"},
                   {"OriginalFilename", "VaskService.exe"},
                   {"OLESelfRegister", ""}};
    for (const auto& s : strings) {
        char* value = NULL;
        std::string query = std::string("\\StringFileInfo\\080904e4\\") + s.name;
        EXPECT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value),
                                   &length))
            << s.name;
        EXPECT_STREQ(s.value, value ? value : "<none>") << s.name;
    }
}

} // namespace
