#include <gtest/gtest.h>

#include <vector>

#include "core/processor.h"

#if defined(__i386__) || defined(__x86_64__)
TEST(Processor, EveryX86OfferingSse2HasMmx)
{
    EXPECT_EQ(DetectMmx(), 0);
}

TEST(Processor, MmxClearZeroesExactlyItsRangeAndLeavesFloatingPointWorking)
{
    // The frame's 76,800 bytes (whole 32-byte rounds), then lengths that end
    // in 8-byte stores after the rounds, or consist of them alone.
    for (size_t bytes : {76800, 76800 + 24, 8, 0}) {
        std::vector<unsigned char> block(bytes + 16, 0xAB);
        MmxClear(block.data() + 8, bytes);
        EXPECT_EQ(block[7], 0xAB) << bytes;
        for (size_t i = 0; i < bytes; ++i)
            ASSERT_EQ(block[8 + i], 0) << i << " of " << bytes;
        EXPECT_EQ(block[8 + bytes], 0xAB) << bytes;
    }
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
