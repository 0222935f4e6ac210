// Code page 932 <-> UTF-8 conversion for titles, message boxes and typing.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "text/glyphs.h"

namespace {

// The conversion's output, checked to be NUL-terminated at the length
// returned.
template <size_t (*Convert)(const char*, size_t, char*, size_t)>
std::string Run(const std::string& text, size_t capacity) {
    char out[64];
    memset(out, 'x', sizeof out);
    size_t n = Convert(text.data(), text.size(), out, capacity);
    EXPECT_EQ(out[n], '\0');
    EXPECT_EQ(strlen(out), n);
    return std::string(out, n);
}
std::string ToUtf8(const std::string& cp932, size_t capacity = 64) { return Run<TextCp932ToUtf8>(cp932, capacity); }
std::string ToCp932(const std::string& utf8, size_t capacity = 64) { return Run<TextUtf8ToCp932>(utf8, capacity); }

TEST(TextCodePage, JapaneseTextRoundTrips) {
    const std::string cp932 = "\x94\xF0\x97\xFB";  // 避練
    const std::string utf8 = "\xE9\x81\xBF\xE7\xB7\xB4";
    EXPECT_EQ(std::string("避練"), cp932);  // the tests' own literals are code page 932
    EXPECT_EQ(ToUtf8(cp932), utf8);
    EXPECT_EQ(ToCp932(utf8), cp932);

    // ASCII, the yen-less backslash and half-width katakana.
    EXPECT_EQ(ToUtf8("A\\~\xB1"), "A\\~\xEF\xBD\xB1");
    EXPECT_EQ(ToCp932("A\\~\xEF\xBD\xB1"), "A\\~\xB1");
    EXPECT_EQ(ToUtf8("スコア: 100"), "\xE3\x82\xB9\xE3\x82\xB3\xE3\x82\xA2: 100");
}

TEST(TextCodePage, OutputStopsOnACharacterBoundaryWithinCapacity) {
    const std::string cp932 = "\x94\xF0\x97\xFB";
    EXPECT_EQ(ToUtf8(cp932, 7), "\xE9\x81\xBF\xE7\xB7\xB4");
    EXPECT_EQ(ToUtf8(cp932, 6), "\xE9\x81\xBF");
    EXPECT_EQ(ToUtf8(cp932, 4), "\xE9\x81\xBF");
    EXPECT_EQ(ToUtf8(cp932, 3), "");
    EXPECT_EQ(ToUtf8(cp932, 1), "");

    const std::string utf8 = "\xE9\x81\xBF\xE7\xB7\xB4";
    EXPECT_EQ(ToCp932(utf8, 5), cp932);
    EXPECT_EQ(ToCp932(utf8, 4), "\x94\xF0");
    EXPECT_EQ(ToCp932(utf8, 2), "");

    char untouched = 'x';
    EXPECT_EQ(TextCp932ToUtf8("abc", 3, &untouched, 0), 0u);
    EXPECT_EQ(TextUtf8ToCp932("abc", 3, &untouched, 0), 0u);
    EXPECT_EQ(untouched, 'x');
    char out[8] = "zzz";
    EXPECT_EQ(TextCp932ToUtf8(nullptr, 3, out, sizeof out), 0u);
    EXPECT_STREQ(out, "");
}

TEST(TextCodePage, BrokenInputIsReplacedOrDropped) {
    // A lead byte cut off by the length, or followed by NUL, is dropped.
    EXPECT_EQ(ToUtf8(std::string("a\x94", 2)), "a");
    char buffer[] = "\x94\xF0\x97\xFB";
    char out[16];
    EXPECT_EQ(TextCp932ToUtf8(buffer, 3, out, sizeof out), 3u);
    EXPECT_STREQ(out, "\xE9\x81\xBF");
    memset(out, 'x', sizeof out);
    EXPECT_EQ(TextCp932ToUtf8("\x94\0b", 3, out, sizeof out), 2u);
    EXPECT_EQ(std::string(out, 3), std::string("\0b\0", 3));
    // Bytes code page 932 leaves undefined become '?'.
    EXPECT_EQ(ToUtf8("a\xFD" "b"), "a?b");

    // Malformed UTF-8 and characters code page 932 lacks become one '?'.
    EXPECT_EQ(ToCp932("a\xFF" "b"), "a?b");
    EXPECT_EQ(ToCp932("a\xF0\x9F\x98\x80" "b"), "a?b");  // an emoji
    EXPECT_EQ(ToCp932("a\xE9\x81"), "a");                 // cut at the end
}

}  // namespace
