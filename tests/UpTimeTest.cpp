#include <gtest/gtest.h>

#include "UpTime.h"

namespace {

TEST(UpTimeTest, SampleReadsSecondsSinceBoot)
{
    PDH_HCOUNTER* storage = ReserveCounterStorage();
    ASSERT_NE(nullptr, storage);
    EXPECT_EQ(nullptr, *storage);

    PDH_HQUERY query = 0;
    OpenUpTimeQuery(&query, storage);
    EXPECT_NE(nullptr, *storage);

    ULONGLONG first = 0, second = 0;
    ASSERT_TRUE(SampleUpTime(query, storage, &first));
    Sleep(1100);
    ASSERT_TRUE(SampleUpTime(query, storage, &second));
    EXPECT_GE(second, first + 1);
    EXPECT_LE(second, first + 3);
    CloseUpTimeQuery(query);
}

TEST(UpTimeTest, FailedSamplesYieldZero)
{
    PDH_HCOUNTER* storage = ReserveCounterStorage();
    ULONGLONG seconds = 123;

    // Never opened: the query handle is still zero.
    EXPECT_FALSE(SampleUpTime(0, storage, &seconds));
    EXPECT_EQ(0u, seconds);

    PDH_HQUERY query = 0;
    OpenUpTimeQuery(&query, storage);
    seconds = 123;
    EXPECT_FALSE(SampleUpTime(query, NULL, &seconds)) << "no counter-handle storage";
    EXPECT_EQ(0u, seconds);

    CloseUpTimeQuery(query);
    seconds = 123;
    EXPECT_FALSE(SampleUpTime(query, storage, &seconds)) << "closed query";
    EXPECT_EQ(0u, seconds);
}

} // namespace
