// wsprintfA where Windows versions differ or the documentation decides:
// the length returned when the output is cut, and forms outside the usual
// fields.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

// The length returned is what was stored: 1023 bytes when cut.
TEST(TextGdiFormat, CutOutputReturnsTheBytesStored)
{
    const std::string longText(2000, 'a');
    char buffer[1024];
    EXPECT_EQ(wsprintfA(buffer, "%s", longText.c_str()), 1023);
    EXPECT_EQ(std::strlen(buffer), 1023u);
    EXPECT_EQ(wsprintfA(buffer, "%1500d", 5), 1023);
    EXPECT_EQ(buffer[1022], '5') << "padding counts toward the limit, the digits come last";
    EXPECT_EQ(wsprintfA(buffer, "%-1500d", 5), 1023);
    EXPECT_EQ(buffer[0], '5');
    EXPECT_EQ(buffer[1022], ' ');
}

// As Wine: a null string prints "(null)", an unknown type is written as a
// plain character, and a lone '%' at the end is dropped.
TEST(TextGdiFormat, NullStringsAndUnknownTypes)
{
    char buffer[64];
    EXPECT_EQ(wsprintfA(buffer, "[%s]", static_cast<const char*>(nullptr)), 8);
    EXPECT_STREQ(buffer, "[(null)]");
    EXPECT_EQ(wsprintfA(buffer, "%q%5y%d", 3), 3);
    EXPECT_STREQ(buffer, "qy3");
    EXPECT_EQ(wsprintfA(buffer, "50%"), 2);
    EXPECT_STREQ(buffer, "50");
    EXPECT_EQ(wsprintfA(buffer, "%#x %#06x", 255, 255), 11);
    EXPECT_STREQ(buffer, "0xff 0x00ff");
    EXPECT_EQ(wsprintfA(nullptr, "%d", 1), 0);
}

}  // namespace
