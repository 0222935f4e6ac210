#include <gtest/gtest.h>

#include <vector>

#include "app/processor.h"

#if defined(__i386__) || defined(__x86_64__)
TEST(Processor, EveryX86OfferingSse2HasMmx)
{
    EXPECT_EQ(DetectMmx(), 0);
}

TEST(Processor, MmxClearZeroesExactlyItsRangeAndLeavesFloatingPointWorking)
{
    std::vector<unsigned char> block(76800 + 16, 0xAB);
    MmxClear(block.data() + 8, 76800);
    EXPECT_EQ(block[7], 0xAB);
    EXPECT_EQ(block[8], 0);
    EXPECT_EQ(block[8 + 76799], 0);
    EXPECT_EQ(block[8 + 76800], 0xAB);
    // Without EMMS after the MMX stores the x87 stack would be full and this
    // arithmetic would yield NaN.
    volatile long double a = 1.5L;
    volatile long double b = a * 2.0L + 0.25L;
    EXPECT_EQ(static_cast<double>(b), 3.25);
}
#else
TEST(Processor, OtherProcessorsReportNoMmx)
{
    EXPECT_NE(DetectMmx(), 0);
}
#endif
