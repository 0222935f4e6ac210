// Glyph engine faces: which font a Windows face name opens, the cell
// metrics it gets, and the advances it gives.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "text/face_info.h"
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

// Rows of a 32-bit canvas that text coloured 1 covers.
struct Ink {
    int top = -1, bottom = -1, pixels = 0;
};

Ink DrawAndScan(TextFace* face, const char* text, int x, int y, int width, int height) {
    std::vector<uint32_t> canvas(size_t(width) * height, 0);
    TextDraw32(face, text, strlen(text), x, y, 1, canvas.data(), width, height, width);
    Ink ink;
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            if (canvas[size_t(row) * width + col]) {
                if (ink.top < 0) ink.top = row;
                ink.bottom = row;
                ++ink.pixels;
            }
    return ink;
}

TEST(TextFaces, WindowsJapaneseNamesOpenTheMatchingIpaFaces) {
    Face mincho(kMincho, 16), pgothic(kPGothic, 16), gothic(kGothic, 16);
    ASSERT_NE(mincho.face, nullptr);
    ASSERT_NE(pgothic.face, nullptr);
    ASSERT_NE(gothic.face, nullptr);

    std::string minchoFamily = TextFaceFamily(mincho.face);
    EXPECT_NE(minchoFamily.find("Mincho"), std::string::npos) << minchoFamily;
    EXPECT_TRUE(TextFaceFixedPitch(mincho.face));

    std::string pgothicFamily = TextFaceFamily(pgothic.face);
    EXPECT_NE(pgothicFamily.find("Gothic"), std::string::npos) << pgothicFamily;
    EXPECT_FALSE(TextFaceFixedPitch(pgothic.face));

    std::string gothicFamily = TextFaceFamily(gothic.face);
    EXPECT_NE(gothicFamily.find("Gothic"), std::string::npos) << gothicFamily;
    EXPECT_TRUE(TextFaceFixedPitch(gothic.face));
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

TEST(TextFaces, CellHeightIsTheRequestAndGlyphsStayInsideIt) {
    for (const char* name : {kMincho, kPGothic}) {
        for (int cell : {14, 16, 20, 80}) {
            Face face(name, cell);
            ASSERT_NE(face.face, nullptr);
            EXPECT_EQ(TextCellHeight(face.face), cell);
            int ascent = TextAscent(face.face);
            EXPECT_GT(ascent, cell / 2);
            EXPECT_LT(ascent, cell);

            const int top = 10;
            Ink ink = DrawAndScan(face.face, "避練", 4, top, 4 * cell, cell + 2 * top);
            ASSERT_GT(ink.pixels, 0) << cell;
            EXPECT_GE(ink.top, top) << name << " cell " << cell;
            EXPECT_LT(ink.bottom, top + cell) << name << " cell " << cell;
            // The ideographs fill most of the cell, from well above the
            // baseline down to it.
            EXPECT_LE(ink.top, top + cell / 4) << cell;
            EXPECT_GE(ink.bottom, top + ascent - 2) << cell;
        }
    }
}

TEST(TextFaces, FixedPitchDoubleByteCharactersAreTwiceAsWide) {
    for (int cell : {12, 14, 16, 20, 80}) {
        Face mincho(kMincho, cell);
        ASSERT_NE(mincho.face, nullptr);
        int half = mincho.Width("!");
        EXPECT_GT(half, cell / 4) << cell;
        EXPECT_EQ(mincho.Width("絶妙"), 2 * 2 * half) << cell;
        EXPECT_EQ(mincho.Width("絶妙!"), mincho.Width("絶妙") + half) << cell;
        // Letters of every shape and half-width katakana share the pitch.
        EXPECT_EQ(mincho.Width("iW0ｱ"), 4 * half) << cell;
        // A character the font lacks still takes its place in the pitch.
        EXPECT_EQ(mincho.Width("\xF0\x40"), 2 * half) << cell;
    }
}

TEST(TextFaces, ProportionalGothicGivesEachGlyphItsOwnAdvance) {
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
