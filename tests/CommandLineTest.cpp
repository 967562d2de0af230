#include <gtest/gtest.h>

#include "CommandLine.h"

namespace {

TEST(CommandLine, VerbOfEachCommandLine)
{
    const struct {
        const char* commandLine;
        CommandLineVerb verb;
    } cases[] = {
        {"\"C:\\Program Files\\Vask\\VaskService.exe\"", kNoVerb},
        {"VaskService.exe -RegServer", kVerbRegServer},
        {"VaskService.exe /regserver", kVerbRegServer},
        {"VaskService.exe /REGSERVER", kVerbRegServer},
        {"VaskService.exe -RegServer\tmore", kVerbRegServer},
        {"VaskService.exe x-RegServer", kVerbRegServer},
        {"VaskService.exe --RegServer", kVerbRegServer},
        {"VaskService.exe -Reg-RegServer", kVerbRegServer},
        {"C:\\dir-RegServer\\VaskService.exe", kNoVerb},
        {"C:\\a/RegServer VaskService.exe", kVerbRegServer},
        {"VaskService.exe -RegServerX", kNoVerb},
        {"VaskService.exe -RegServer,", kNoVerb},
        {"VaskService.exe -Reg", kNoVerb},
        {"VaskService.exe RegServer", kNoVerb},
        {"VaskService.exe -", kNoVerb},
        {"VaskService.exe -UnregServer", kVerbUnregServer},
        {"VaskService.exe -RegServer -UnregServer", kVerbRegServer},
        {"VaskService.exe -UnregServer -RegServer", kVerbUnregServer},
        {"VaskService.exe -Service", kVerbService},
        {"VaskService.exe /sErViCe", kVerbService},
        {"VaskService.exe -Service -RegServer", kVerbRegServer},
        {"VaskService.exe -Service -UnregServer", kVerbUnregServer},
        {"VaskService.exe -Services -Service", kVerbService},
        {"VaskService.exe -Embedding", kNoVerb},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.verb, FindVerb(c.commandLine)) << c.commandLine;
}

TEST(CommandLine, CandidatesStartAfterEverySeparator)
{
    const char line[] = "a-b/c -";
    const char* first = FindNextCandidate(line);
    ASSERT_EQ(line + 2, first);
    const char* second = FindNextCandidate(first);
    ASSERT_EQ(line + 4, second);
    const char* third = FindNextCandidate(second);
    ASSERT_EQ(line + 7, third) << "a separator at the very end starts an empty candidate";
    EXPECT_EQ(NULL, FindNextCandidate(third));
    EXPECT_EQ(NULL, FindNextCandidate("no separators"));
}

TEST(CommandLine, WordEndsAtABlankOrTheEnd)
{
    EXPECT_TRUE(WordMatches("RegServer", "RegServer"));
    EXPECT_TRUE(WordMatches("regserver rest", "RegServer"));
    EXPECT_TRUE(WordMatches("REGSERVER\trest", "RegServer"));
    EXPECT_FALSE(WordMatches("RegServe", "RegServer"));
    EXPECT_FALSE(WordMatches("RegServe r", "RegServer"));
    EXPECT_FALSE(WordMatches("RegServer-", "RegServer"));
    EXPECT_FALSE(WordMatches("", "RegServer"));
    EXPECT_FALSE(WordMatches(" RegServer", "RegServer"));
}

} // namespace
