// wsprintfA's fields as the game formats times, counts and scores, its
// 1024-byte limit, and lstrcpyA.
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

#define EXPECT_FORMAT(expected, ...)                          \
    do {                                                      \
        const Formatted result = Format(__VA_ARGS__);         \
        EXPECT_EQ(result.text, expected);                     \
        EXPECT_EQ(result.length, int(std::strlen(expected))); \
    } while (0)

TEST(TextFormat, NumbersTakeSignsZerosAndWidths)
{
    EXPECT_FORMAT("生存時間 12.007秒", "生存時間 %d.%03d秒", 12, 7);
    EXPECT_FORMAT("1234", "%03d", 1234);
    EXPECT_FORMAT("-5ms", "%dms", -5);
    EXPECT_FORMAT("-4294ms", "%dms", 0xFFFFEF3Au);  // a DWORD prints signed
    EXPECT_FORMAT("-042", "%04d", -42);
    EXPECT_FORMAT("-2147483648", "%d", int(0x80000000u));
    EXPECT_FORMAT("0", "%d", 0);
    EXPECT_FORMAT("絶妙度 100%", "絶妙度 %d%%", 100);
    EXPECT_FORMAT("%", "%%");
    EXPECT_FORMAT("", "");
}

// The output stops at 1023 bytes and a NUL, however long the text. (What
// is returned then differs between Windows versions.)
TEST(TextFormat, OutputIsLimitedTo1024Bytes)
{
    const std::string longFormat = std::string(3000, 'a') + "%d";
    char buffer[1100];
    std::memset(buffer, 'x', sizeof buffer);
    wsprintfA(buffer, longFormat.c_str(), 5);
    EXPECT_EQ(std::strlen(buffer), 1023u);
    for (size_t i = 1024; i < sizeof buffer; ++i)
        ASSERT_EQ(buffer[i], 'x') << i;
}

TEST(TextFormat, LstrcpyCopiesTheTextAndItsNul)
{
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(lstrcpyA(buffer, "計測不能"), buffer);
    EXPECT_STREQ(buffer, "計測不能");
    EXPECT_EQ(buffer[9], 'x');
}

}  // namespace
