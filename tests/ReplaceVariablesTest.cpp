#include <gtest/gtest.h>

#include <string>

#include "ReplaceVariables.h"

namespace {

const ReplacementVariable kVariables[] = {
    {"Module", "\"C:\\100% sure\\it's.exe\""},
    {"Module_Raw", "C:\\100% sure\\it's.exe"},
    {"APPID", "{X}"},
};
const size_t kCount = sizeof(kVariables) / sizeof(kVariables[0]);

bool Replace(const char* text, std::string* out, size_t outSize = 512)
{
    std::string buffer(outSize, '#');
    bool done = ReplaceVariables(text, kVariables, kCount, &buffer[0], outSize);
    *out = done ? buffer.c_str() : "";
    return done;
}

TEST(ReplaceVariablesTest, ReplacesNamesWithoutRegardToCase)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"%Module%", "\"C:\\100% sure\\it's.exe\""},
        {"%MODULE%", "\"C:\\100% sure\\it's.exe\""},
        {"%module_raw%", "C:\\100% sure\\it's.exe"},
        {"CLSID\\%AppId%\\x", "CLSID\\{X}\\x"},
        {"%APPID%%APPID%", "{X}{X}"},
        {"no placeholder", "no placeholder"},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string out;
        EXPECT_TRUE(Replace(c.text, &out)) << c.text;
        EXPECT_EQ(c.expected, out) << c.text;
    }
}

TEST(ReplaceVariablesTest, RefusesUnknownOrUnclosedNames)
{
    const char* refused[] = {"%Mod%", "%Module", "a %% b", "%Module_Raw_%", "%APPID%%"};
    for (const char* text : refused) {
        std::string out;
        EXPECT_FALSE(Replace(text, &out)) << text;
    }
}

TEST(ReplaceVariablesTest, NeedsRoomForTheTerminatingZero)
{
    std::string out;
    EXPECT_TRUE(Replace("ab%APPID%", &out, 6));
    EXPECT_EQ("ab{X}", out);
    EXPECT_FALSE(Replace("ab%APPID%", &out, 5));
    EXPECT_FALSE(Replace("abcdef", &out, 6));
}

} // namespace
