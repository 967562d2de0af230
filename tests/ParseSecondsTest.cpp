#include <gtest/gtest.h>

#include "ParseSeconds.h"

#include <string>

namespace {

TEST(ParseSecondsTest, Table)
{
    struct Case {
        std::string text;
        unsigned long long seconds;
    };
    const Case cases[] = {
        {"", 0},
        {"0", 0},
        {"125", 125},
        {" \t\n\v\f\r42", 42},                          // every blank is skipped
        {"+7", 7},
        {"-5", 0xFFFFFFFFFFFFFFFBull},                  // 2^64 - 5
        {"-0", 0},
        {"12abc", 12},                                  // rest ignored
        {"12 34", 12},
        {"abc", 0},
        {"+", 0},
        {"-", 0},
        {"+-3", 0},                                     // one sign only
        {"- 3", 0},                                     // digits must follow the sign
        {"\xA0" "5", 0},                                // not a blank
        {"007", 7},
        {"18446744073709551615", 0xFFFFFFFFFFFFFFFFull}, // 2^64 - 1
        {"18446744073709551616", 0},                    // 2^64 wraps
        {"18446744073709551621", 5},
        {"-18446744073709551615", 1},
        {"4294967296", 1ull << 32},
        {"99999999999999999999999", 0x02C7E14AF67FFFFFull}, // modulo 2^64, no check
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.seconds, static_cast<unsigned long long>(ParseSeconds(c.text.c_str())))
            << '"' << c.text << '"';
}

TEST(ParseSecondsTest, NegativeTextsAreNegativeNumbers)
{
    EXPECT_EQ(-5LL, ParseSeconds("-5"));
    EXPECT_EQ(-1LL, ParseSeconds("18446744073709551615"));
    EXPECT_EQ(9223372036854775807LL, ParseSeconds("9223372036854775807"));
}

} // namespace
