// wsprintfA's fields as the game formats times, counts and scores, its
// 1024-byte limit, and lstrcpyA.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

template <typename... Arguments>
std::string Format(const char* format, Arguments... arguments)
{
    char buffer[1024];
    std::memset(buffer, 'x', sizeof buffer);
    const int length = wsprintfA(buffer, format, arguments...);
    EXPECT_EQ(size_t(length), std::strlen(buffer)) << format;
    return buffer;
}

TEST(TextFormat, NumbersTakeSignsZerosAndWidths)
{
    EXPECT_EQ(Format("生存時間 %d.%03d秒", 12, 7), "生存時間 12.007秒");
    EXPECT_EQ(Format("%03d", 1234), "1234");
    EXPECT_EQ(Format("%dms", 0xFFFFEF3Au), "-4294ms") << "a DWORD prints signed";
    EXPECT_EQ(Format("%04d", -42), "-042");
    EXPECT_EQ(Format("%d", int(0x80000000u)), "-2147483648");
    EXPECT_EQ(Format("%d", 0), "0");
    EXPECT_EQ(Format("絶妙度 %d%%", 100), "絶妙度 100%");
    EXPECT_EQ(Format(""), "");
}

// The output stops at 1023 bytes and a NUL, however long the text (what
// is returned then differs between Windows versions); lstrcpyA copies the
// text and its NUL.
TEST(TextFormat, OutputIsLimitedTo1024BytesAndLstrcpyCopiesTheNul)
{
    const std::string longFormat = std::string(3000, 'a') + "%d";
    char buffer[1100];
    std::memset(buffer, 'x', sizeof buffer);
    wsprintfA(buffer, longFormat.c_str(), 5);
    EXPECT_EQ(std::strlen(buffer), 1023u);
    for (size_t i = 1024; i < sizeof buffer; ++i)
        ASSERT_EQ(buffer[i], 'x') << i;
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(lstrcpyA(buffer, "計測不能"), buffer);
    EXPECT_STREQ(buffer, "計測不能");
    EXPECT_EQ(buffer[9], 'x');
}

}  // namespace
