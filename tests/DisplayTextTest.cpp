#include <gtest/gtest.h>

#include "DisplayText.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(DWORD rating, ElapsedSeconds stored, ElapsedSeconds sample)
{
    DisplayLine lines[kDisplayLineCount];
    ComposeDisplay(rating, stored, sample, lines);
    std::vector<std::string> texts;
    for (const DisplayLine& line : lines)
        texts.push_back(std::to_string(line.y) + " " + line.text);
    return texts;
}

TEST(DisplayTextTest, FiveLinesAtTheirPlaces)
{
    EXPECT_EQ((std::vector<std::string>{"10 Vask=750000", "50 Elapsed Time", "70 Hours:0",
                                        "90 Minutes:2", "110 Seconds:125"}),
              Lines(750000, 100, 25));
}

TEST(DisplayTextTest, TotalsAndRating)
{
    struct Case {
        DWORD rating;
        ElapsedSeconds stored, sample;
        const char* vask;
        const char* hours;
        const char* minutes;
        const char* seconds;
    };
    const Case cases[] = {
        {0, 0, 0, "Vask=0", "Hours:0", "Minutes:0", "Seconds:0"},
        {1, 0, 59, "Vask=1", "Hours:0", "Minutes:0", "Seconds:59"},
        {0xFFFFFFFF, 3599, 0, "Vask=-1", "Hours:0", "Minutes:59", "Seconds:3599"},
        {0x80000000, 3600, 0, "Vask=-2147483648", "Hours:1", "Minutes:60", "Seconds:3600"},
        {0x7FFFFFFF, 0, 7261, "Vask=2147483647", "Hours:2", "Minutes:121", "Seconds:7261"},
        // Low half near 2^32 carries into the high half.
        {5, 0xFFFFFFFFull, 1, "Vask=5", "Hours:1193046", "Minutes:71582788",
         "Seconds:4294967296"},
        // 2^64 - 5 plus 65 s of up time wraps to 60 s.
        {5, 0xFFFFFFFFFFFFFFFBull, 65, "Vask=5", "Hours:0", "Minutes:1", "Seconds:60"},
        {5, 0xFFFFFFFFFFFFFFFFull, 0, "Vask=5", "Hours:5124095576030431",
         "Minutes:307445734561825860", "Seconds:18446744073709551615"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = Lines(c.rating, c.stored, c.sample);
        SCOPED_TRACE(lines[4]);
        EXPECT_EQ(std::string("10 ") + c.vask, lines[0]);
        EXPECT_EQ(std::string("70 ") + c.hours, lines[2]);
        EXPECT_EQ(std::string("90 ") + c.minutes, lines[3]);
        EXPECT_EQ(std::string("110 ") + c.seconds, lines[4]);
    }
}

} // namespace
