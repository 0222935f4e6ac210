// wsprintfA where Windows versions differ or the documentation decides:
// the length returned when the output is cut, and what is not a %d field.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "win32_private.h"

namespace {

// The length returned is what was stored: 1023 bytes when cut. Padding
// counts toward the limit.
TEST(TextGdiFormat, CutOutputReturnsTheBytesStored)
{
    char buffer[1024];
    EXPECT_EQ(wsprintfA(buffer, std::string(2000, 'a').c_str()), 1023);
    EXPECT_EQ(std::strlen(buffer), 1023u);
    EXPECT_EQ(wsprintfA(buffer, "%1500d", 5), 1023);
    EXPECT_EQ(buffer[1022], ' ') << "the digits come after the padding, past the limit";
    EXPECT_EQ(wsprintfA(buffer, "%01500d", -5), 1023);
    EXPECT_EQ(buffer[0], '-');
    EXPECT_EQ(buffer[1022], '0');
}

// As Windows writes an unknown type: the character itself; a lone '%' at
// the end is dropped; a null buffer takes nothing.
TEST(TextGdiFormat, OtherFieldsAreWrittenAsTheirType)
{
    char buffer[64];
    EXPECT_EQ(wsprintfA(buffer, "%s%5x|%d", 3), 4);
    EXPECT_STREQ(buffer, "sx|3");
    EXPECT_EQ(wsprintfA(buffer, "%5d|", 42), 6);
    EXPECT_STREQ(buffer, "   42|") << "without '0', spaces pad a width";
    EXPECT_EQ(wsprintfA(buffer, "50%"), 2);
    EXPECT_STREQ(buffer, "50");
    EXPECT_EQ(wsprintfA(nullptr, "%d", 1), 0);
}

}  // namespace
