// Glyph engine faces: which font a Windows face name opens, the cell
// metrics it gets, the advances it gives and where it draws.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "text/text_seams.h"
#include "text/glyphs.h"

namespace {

const char kMincho[] = "ＭＳ 明朝";
const char kPGothic[] = "ＭＳ Ｐゴシック";
const char kGothic[] = "ＭＳ ゴシック";

struct Face {
    TextFace* face;
    Face(const char* name, int cell) : face(TextOpenFace(name, cell)) {}
    ~Face() { TextCloseFace(face); }
    int Width(const char* s) const { return TextMeasure(face, s, strlen(s)); }
};

// Where text drawn in white on black lands: the rows and columns it
// covers, and any pixel neither white nor black (none: glyphs are solid).
struct Ink {
    int top = -1, bottom = -1, left = -1, right = -1, pixels = 0, blended = 0;
};

Ink DrawAndScan(TextFace* face, const char* text, int x, int y, int width, int height) {
    std::vector<uint32_t> canvas(size_t(width) * height, 0);
    TextDraw32(face, text, strlen(text), x, y, 0xFFFFFF, canvas.data(), width, height, width);
    Ink ink;
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col) {
            const uint32_t pixel = canvas[size_t(row) * width + col];
            ink.blended += pixel != 0 && pixel != 0xFFFFFF;
            if (pixel != 0xFFFFFF) continue;
            if (ink.top < 0) ink.top = row;
            ink.bottom = row;
            ink.left = ink.left < 0 || col < ink.left ? col : ink.left;
            ink.right = col > ink.right ? col : ink.right;
            ++ink.pixels;
        }
    return ink;
}

TEST(TextFaces, WindowsJapaneseNamesOpenTheMatchingIpaFaces) {
    const struct {
        const char* name;
        const char* family;
        bool fixedPitch;
    } cases[] = {{kMincho, "Mincho", true}, {kPGothic, "Gothic", false}, {kGothic, "Gothic", true}};
    for (const auto& c : cases) {
        Face face(c.name, 16);
        ASSERT_NE(face.face, nullptr) << c.family;
        const std::string family = TextFaceFamily(face.face);
        EXPECT_NE(family.find(c.family), std::string::npos) << family;
        EXPECT_EQ(TextFaceFixedPitch(face.face), c.fixedPitch) << family;
    }
}

TEST(TextFaces, UnknownAndEmptyNamesStillOpenAFaceThatDrawsJapanese) {
    for (const char* name : {"", "Arial", "System"}) {
        Face face(name, 16);
        ASSERT_NE(face.face, nullptr) << name;
        EXPECT_STRNE(TextFaceFamily(face.face), "") << name;
        EXPECT_GT(face.Width("避"), 0) << name;
        EXPECT_GT(DrawAndScan(face.face, "避練", 2, 2, 64, 24).pixels, 20) << name;
    }
    Face null(nullptr, 16);
    EXPECT_NE(null.face, nullptr);
}

// The cell is the height asked for; solid ideographs fill most of it, from
// well above the baseline down to it, and never leave it.
TEST(TextFaces, CellHeightIsTheRequestAndSolidGlyphsStayInsideIt) {
    for (const char* name : {kMincho, kPGothic}) {
        for (int cell : {14, 16, 20, 80}) {
            Face face(name, cell);
            ASSERT_NE(face.face, nullptr);
            EXPECT_EQ(TextCellHeight(face.face), cell);
            const int ascent = TextAscent(face.face), top = 10;
            EXPECT_GT(ascent, cell / 2);
            EXPECT_LT(ascent, cell);
            Ink ink = DrawAndScan(face.face, "避練 Score", 4, top, 8 * cell, cell + 2 * top);
            ASSERT_GT(ink.pixels, cell * 4) << cell;
            EXPECT_EQ(ink.blended, 0) << "no anti-aliasing";
            EXPECT_GE(ink.top, top) << name << " cell " << cell;
            EXPECT_LT(ink.bottom, top + cell) << name << " cell " << cell;
            EXPECT_LE(ink.top, top + cell / 4) << cell;
            EXPECT_GE(ink.bottom, top + ascent - 2) << cell;
        }
    }
}

// '_' lies on or just below the baseline in the first half-width cell,
// '-' well above it in the second: the pen moves right by each advance.
TEST(TextFaces, TextSitsOnTheBaselineAndAdvancesLeftToRight) {
    Face face(kMincho, 20);
    ASSERT_NE(face.face, nullptr);
    const int ascent = TextAscent(face.face), half = face.Width("_");
    const Ink underscore = DrawAndScan(face.face, "_", 0, 10, 4 * half, 40);
    const Ink dash = DrawAndScan(face.face, " -", 0, 10, 4 * half, 40);
    ASSERT_TRUE(underscore.pixels > 0 && dash.pixels > 0);
    EXPECT_LT(underscore.right, half);
    EXPECT_GE(underscore.top, 10 + ascent - 2);
    EXPECT_LT(underscore.bottom, 10 + 20);
    EXPECT_GE(dash.left, half);
    EXPECT_LT(dash.right, 2 * half);
    EXPECT_GT(dash.top, 10);
    EXPECT_LT(dash.bottom, 10 + ascent - 2);
}

// In the fixed-pitch Mincho face every one-byte character (half-width
// katakana included) has one advance and every two-byte character twice
// it, even one the font lacks; in the proportional Gothic each glyph has
// its own.
TEST(TextFaces, AdvancesFollowTheFacesPitch) {
    for (int cell : {12, 14, 16, 20, 80}) {
        Face mincho(kMincho, cell);
        ASSERT_NE(mincho.face, nullptr);
        int half = mincho.Width("!");
        EXPECT_GT(half, cell / 4) << cell;
        EXPECT_EQ(mincho.Width("絶妙"), 2 * 2 * half) << cell;
        EXPECT_EQ(mincho.Width("絶妙!"), mincho.Width("絶妙") + half) << cell;
        EXPECT_EQ(mincho.Width("iW0ｱ"), 4 * half) << cell;
        EXPECT_EQ(mincho.Width("\xF0\x40"), 2 * half) << cell;
    }
    Face pgothic(kPGothic, 20);
    ASSERT_NE(pgothic.face, nullptr);
    int i = pgothic.Width("i"), w = pgothic.Width("W");
    EXPECT_GT(i, 0);
    EXPECT_LT(i, w);
    EXPECT_EQ(pgothic.Width("iW"), i + w);
    EXPECT_GT(pgothic.Width("絶"), w);
    EXPECT_EQ(pgothic.Width(""), 0);
}

TEST(TextFaces, HandlesOfTheSameFaceLiveIndependently) {
    TextFace* first = TextOpenFace(kMincho, 18);
    TextFace* second = TextOpenFace(kMincho, 18);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    int width = TextMeasure(first, "絶妙", 4);
    TextCloseFace(first);
    EXPECT_EQ(TextMeasure(second, "絶妙", 4), width);
    EXPECT_GT(DrawAndScan(second, "絶妙", 0, 0, 64, 18).pixels, 20);
    TextCloseFace(second);

    // Closed faces may be opened again any number of times.
    for (int round = 0; round < 20; ++round) {
        TextFace* face = TextOpenFace(kMincho, 10 + round);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(TextCellHeight(face), 10 + round);
        TextCloseFace(face);
    }
    TextFace* again = TextOpenFace(kMincho, 18);
    EXPECT_EQ(TextMeasure(again, "絶妙", 4), width);
    TextCloseFace(again);
}

TEST(TextFaces, BadArgumentsGetSafeAnswers) {
    EXPECT_EQ(TextOpenFace(kMincho, 0), nullptr);
    EXPECT_EQ(TextOpenFace(kMincho, -16), nullptr);
    TextCloseFace(nullptr);
    EXPECT_EQ(TextAscent(nullptr), 0);
    EXPECT_EQ(TextCellHeight(nullptr), 0);
    EXPECT_EQ(TextMeasure(nullptr, "abc", 3), 0);
    EXPECT_STREQ(TextFaceFamily(nullptr), "");

    Face face(kMincho, 16);
    EXPECT_EQ(TextMeasure(face.face, nullptr, 3), 0);
    uint32_t pixel = 7;
    TextDraw32(nullptr, "abc", 3, 0, 0, 1, &pixel, 1, 1, 1);
    TextDraw32(face.face, nullptr, 3, 0, 0, 1, &pixel, 1, 1, 1);
    TextDraw32(face.face, "abc", 3, 0, 0, 1, nullptr, 1, 1, 1);
    TextDraw32(face.face, "abc", 3, 0, 0, 1, &pixel, 0, 1, 1);
    EXPECT_EQ(pixel, 7u);
}

}  // namespace
