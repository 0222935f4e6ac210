// wsprintfA's fields as the game formats scores and timings, its 1024-byte
// limit, and lstrcpyA.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

struct Formatted {
    int length;
    std::string text;
};

template <typename... Arguments>
Formatted Format(const char* format, Arguments... arguments)
{
    char buffer[1024];
    std::memset(buffer, 'x', sizeof buffer);
    const int length = wsprintfA(buffer, format, arguments...);
    return Formatted{length, buffer};
}

#define EXPECT_FORMAT(expected, ...)                             \
    do {                                                         \
        const Formatted result = Format(__VA_ARGS__);            \
        EXPECT_EQ(result.text, expected);                        \
        EXPECT_EQ(result.length, int(std::strlen(expected)));    \
    } while (0)

TEST(TextFormat, NumbersTakeWidthsSignsAndPadding)
{
    EXPECT_FORMAT("007", "%03d", 7);
    EXPECT_FORMAT("-5ms", "%dms", -5);
    EXPECT_FORMAT("1234", "%03d", 1234);
    EXPECT_FORMAT("-042", "%04d", -42);
    EXPECT_FORMAT("-000000001", "%010ld", -1);
    EXPECT_FORMAT("   42|", "%5d|", 42);
    EXPECT_FORMAT("42   |", "%-5d|", 42);
    EXPECT_FORMAT("42   |", "%-05d|", 42);
    EXPECT_FORMAT("4294967295", "%u", -1);
    EXPECT_FORMAT("-2147483648", "%d", int(0x80000000u));
    EXPECT_FORMAT("ff 00FF", "%x %04X", 255, 255);
    EXPECT_FORMAT("0", "%d", 0);
    EXPECT_FORMAT("12 34 56", "%d %i %u", 12, 34, 56);
}

TEST(TextFormat, TextCharactersAndPercent)
{
    EXPECT_FORMAT("100%", "%d%%", 100);
    EXPECT_FORMAT("%", "%%");
    EXPECT_FORMAT("[abc]", "[%s]", "abc");
    EXPECT_FORMAT("[  abc]", "[%5s]", "abc");
    EXPECT_FORMAT("[abc  ]", "[%-5s]", "abc");
    EXPECT_FORMAT("[ab]", "[%.2s]", "abc");
    EXPECT_FORMAT("Z!", "%c!", 'Z');
    EXPECT_FORMAT("Stage 3: 007 pts", "%s %d: %03d pts", "Stage", 3, 7);
    EXPECT_FORMAT("", "");
}

// The output stops at 1023 bytes and a NUL, however long the text.
TEST(TextFormat, OutputIsLimitedTo1024Bytes)
{
    const std::string longText(3000, 'a');
    char buffer[1100];
    std::memset(buffer, 'x', sizeof buffer);
    wsprintfA(buffer, "%s%s", longText.c_str(), "tail");
    EXPECT_EQ(std::strlen(buffer), 1023u);
    for (size_t i = 1024; i < sizeof buffer; ++i)
        ASSERT_EQ(buffer[i], 'x') << i;
}

TEST(TextFormat, LstrcpyCopiesAndRefusesNull)
{
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(lstrcpyA(buffer, "score"), buffer);
    EXPECT_STREQ(buffer, "score");
    EXPECT_EQ(buffer[6], 'x');
    EXPECT_EQ(lstrcpyA(buffer, ""), buffer);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], 'c') << "only the NUL is written";

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(lstrcpyA(buffer, nullptr), nullptr);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(lstrcpyA(nullptr, "score"), nullptr);
}

}  // namespace
