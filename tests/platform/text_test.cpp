// Code page 932 <-> UTF-8, the faces Windows names open, their glyphs, GDI's text calls.
#include <gtest/gtest.h>
#include <malloc.h>
#include <platform_seams.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <string>

#include "gdi/gdi_private.h"
#include "gdi/gdi_text.h"
#include "platform/gdi_fixture.h"
#include "text/text_internal.h"
#include "text/text_seams.h"

namespace {

const char kPGothic[] = "ＭＳ Ｐゴシック", kText[] = "絶妙 Score 0123 ｽｺｱ";

// The conversion's output, which must end in a NUL within the capacity.
template <size_t (*Convert)(const char*, size_t, char*, size_t)>
std::string Converted(const std::string& text, size_t capacity)
{
    char out[64];
    memset(out, 'x', sizeof out);
    const size_t n = Convert(text.data(), text.size(), out, capacity);
    EXPECT_TRUE(n < capacity && out[n] == '\0') << text;
    return std::string(out, n);
}

// A cut lead byte, even before NUL, is dropped; what either side lacks is '?'.
TEST(TextCodePage, ConversionsRoundTripAndStopWithinTheirCapacity)
{
    const struct {
        bool toUtf8;
        std::string text;
        size_t capacity;
        std::string converted;
    } cases[] = {{true, "避練", 64, "\xE9\x81\xBF\xE7\xB7\xB4"},
                 {false, "\xE9\x81\xBF\xE7\xB7\xB4", 64, "避練"},
                 {true, "\x81\x40", 64, "\xE3\x80\x80"},
                 {false, "\xE3\x80\x80", 64, "\x81\x40"},
                 {true, "A\\~\xB1", 64, "A\\~\xEF\xBD\xB1"},
                 {false, "A\\~\xEF\xBD\xB1", 64, "A\\~\xB1"},
                 {true, "\xFC\x4B", 64, "\xE9\xBB\x91"},
                 {true, "避練", 7, "\xE9\x81\xBF\xE7\xB7\xB4"},
                 {true, "避練", 6, "\xE9\x81\xBF"},
                 {true, "避練", 3, ""},
                 {false, "\xE9\x81\xBF\xE7\xB7\xB4", 5, "避練"},
                 {false, "\xE9\x81\xBF\xE7\xB7\xB4", 4, "避"},
                 {true, std::string("a\x94", 2), 64, "a"},
                 {true, std::string("\x94\0b", 3), 64, std::string("\0b", 2)},
                 {true, "a\xFD\x62", 64, "a?b"},
                 {false, "a\xFF\x62", 64, "a?b"},
                 {false, "a\xF0\x9F\x98\x80\x62", 64, "a?b"},
                 {false, "a\xE9\x81", 64, "a"}};
    for (const auto& c : cases)
        EXPECT_EQ(
            c.toUtf8 ? Converted<TextCp932ToUtf8>(c.text, c.capacity) : Converted<TextUtf8ToCp932>(c.text, c.capacity),
            c.converted)
            << &c - cases;
    char untouched = 'x';
    EXPECT_TRUE(TextCp932ToUtf8("abc", 3, &untouched, 0) == 0 && untouched == 'x');
}

// The box of what text drawn in white on black covers.
RECT Inked(TextFace* face, const char* text, int x, int y, int width, int height)
{
    Dib canvas(width, -height, 32);
    TextDraw32(face, text, strlen(text), x, y, 0xFFFFFF, reinterpret_cast<uint32_t*>(canvas.bits()), width, height,
               width);
    return canvas.box(0xFFFFFF);
}

struct Face {
    TextFace* face;
    Face(const char* name, int cell) : face(TextOpenFace(name, cell)) {}
    ~Face() { TextCloseFace(face); }
    int width(const char* s) const { return TextMeasure(face, s, strlen(s)); }
};

// Japanese names open the IPA faces of that design and pitch; others still draw Japanese.
TEST(TextFaces, WindowsNamesOpenTheMatchingFaces)
{
    const struct {
        const char *name, *family;
        bool fixedPitch;
    } cases[] = {{kMincho, "Mincho", true}, {kPGothic, "Gothic", false}, {"ＭＳ ゴシック", "Gothic", true}};
    for (const auto& c : cases) {
        Face face(c.name, 16);
        ASSERT_NE(face.face, nullptr) << c.family;
        EXPECT_NE(std::string(TextFaceFamily(face.face)).find(c.family), std::string::npos) << c.family;
        EXPECT_EQ(TextFaceFixedPitch(face.face), c.fixedPitch) << c.family;
    }
    for (const char* name : {"", "Arial"}) {
        Face face(name, 16);
        EXPECT_TRUE(face.face && Inked(face.face, "避練", 2, 2, 64, 24).right > 20) << name;
    }
}

// In the fixed pitch face a two-byte character takes two advances, even one it lacks.
TEST(TextFaces, KnownTextLandsInTheCellAtEachAdvance)
{
    for (const char* name : {kMincho, kPGothic})
        for (int cell : {14, 16, 20, 80}) {
            Face face(name, cell);
            ASSERT_NE(face.face, nullptr);
            EXPECT_EQ(TextCellHeight(face.face), cell);
            const int ascent = TextAscent(face.face), top = 10;
            EXPECT_TRUE(ascent > cell / 2 && ascent < cell) << ascent;
            const RECT ink = Inked(face.face, "避練 Score", 4, top, 8 * cell, cell + 2 * top);
            EXPECT_TRUE(ink.top >= top && ink.top <= top + cell / 4 && ink.bottom > top + ascent - 2 &&
                        ink.bottom <= top + cell && ink.right - ink.left > 4 * cell)
                << name << " cell " << cell << ": " << surfaces::Str(ink);
            const int one = face.width("!");
            EXPECT_TRUE(name == kPGothic ||
                        (one > cell / 4 && face.width("絶妙!") == 5 * one && face.width("iW0ｱ\xF0\x40") == 6 * one))
                << cell;
        }
    Face pgothic(kPGothic, 20);
    const int i = pgothic.width("i"), w = pgothic.width("W");
    EXPECT_TRUE(i > 0 && i < w && pgothic.width("絶") > w && pgothic.width("iW") == i + w);
}

TextFace* SelectedFace(HDC dc)
{
    return GdiFontFace(GdiLookupFont(GetCurrentObject(dc, OBJ_FONT)));
}

// lfHeight > 0 is the cell, < 0 the em, 0 gives 16; 10,000 fonts leave no objects nor heap.
TEST(TextGdiFonts, LfHeightGivesTheCellAndFontsLeaveNothingBehind)
{
    Dib surface(32, 32, 8, 16);
    HDC dc = surface.dc();
    EXPECT_EQ(Extent(dc, "Hi").cy, 16) << "the stock font";
    for (int height : {0, 14, 16, 20, 80}) {
        SelectedFont font(dc, GameFont(height));
        EXPECT_TRUE(Extent(dc, "絶妙!").cy == (height ? height : 16) && Extent(dc, "", 0).cy == (height ? height : 16));
        EXPECT_EQ(Extent(dc, "絶妙").cx, 4 * Extent(dc, "!").cx) << height;
    }
    for (int em : {12, 16, 20, 64}) {
        SelectedFont font(dc, GameFont(-em));
        TextFace* face = SelectedFace(dc);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->size->metrics.y_ppem, em) << "the face's own size";
        EXPECT_TRUE(Extent(dc, "A").cy == TextCellHeight(face) && TextCellHeight(face) >= em &&
                    TextCellHeight(face) <= em * 3 / 2);
    }
    const int before = PlatformLiveGdiObjects(), heights[] = {14, 16, 20, 80, -16, 0};
    size_t heapBefore = 0;
    for (int i = 0; i < 10100; ++i) {
        heapBefore = i == 100 ? mallinfo2().uordblks : heapBefore;  // every face opened and cached by then
        SelectedFont font(dc, GameFont(heights[i % 6], i % 2 ? kMincho : ""));
        ASSERT_TRUE(TextOutA(dc, 0, 0, "絶A", 3));
    }
    EXPECT_EQ(PlatformLiveGdiObjects(), before);
    EXPECT_LT(mallinfo2().uordblks, heapBefore + 4096);
}

// Top-down or bottom-up, 8 and 32 bpp, and a window; 8 bpp row padding untouched.
TEST(TextGdiOutput, EverySurfaceGetsTheSameGlyphPixelsClipped)
{
    const int width = 45, height = 12, dx = 150, dy = 40;
    Dib big(400, -100, 32), top32(width, -height, 32), bottom32(width, height, 32), top8(width, -height, 8, 16),
        bottom8(width, height, 8, 16);
    Window window(width, height, 0);
    for (const Dib* frame : {&top8, &bottom8})
        for (int y = 0; y < height; ++y)
            for (int x = width; x < 48; ++x)
                frame->index(x, y) = 0x5A;  // 8 bpp rows are 48 bytes
    SelectedFont bigFont(big.dc(), GameFont(20));
    SetTextColor(big.dc(), RGB(255, 255, 255));
    SetBkColor(big.dc(), RGB(255, 0, 0));
    for (HDC dc : {top32.dc(), bottom32.dc(), top8.dc(), bottom8.dc(), window.dc}) {
        SelectedFont font(dc, GameFont(20));
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(255, 0, 0));
        for (const POINT at : {POINT{3, 1}, POINT{-13, -7}, POINT{30, 2}, POINT{-40, 5}, POINT{10, -15}}) {
            PatBlt(dc, 0, 0, width, height, BLACKNESS);
            PatBlt(big.dc(), 0, 0, 400, 100, BLACKNESS);
            ASSERT_TRUE(TextOutA(dc, at.x, at.y, kText, int(strlen(kText))));
            ASSERT_TRUE(TextOutA(big.dc(), at.x + dx, at.y + dy, kText, int(strlen(kText))));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(GetPixel(dc, x, y), GetPixel(big.dc(), x + dx, y + dy))
                        << "at " << at.x << "," << at.y << ": " << x << "," << y;
        }
        PatBlt(dc, 0, 0, width, height, BLACKNESS);
        for (int x : {INT_MIN, INT_MAX, INT_MIN / 2, -1000, width})
            for (int y : {INT_MIN, INT_MAX, 0, -100, height})
                EXPECT_TRUE(TextOutA(dc, x, y, kText, int(strlen(kText))));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(GetPixel(dc, x, y), RGB(0, 0, 0)) << "far off, nothing lands";
    }
    for (const Dib* frame : {&top8, &bottom8})
        for (int y = 0; y < height; ++y)
            for (int x = width; x < 48; ++x)
                ASSERT_EQ(frame->index(x, y), 0x5A) << "padding of row " << y;
    EXPECT_TRUE(window.target.dirty);
}

// A count cutting a two-byte character reads no further, even up to an unreadable page.
TEST(TextGdiOutput, ByteCountsAndBadArguments)
{
    Dib cut(64, -24, 32), whole(64, -24, 32);
    SelectedFont cutFont(cut.dc(), GameFont(20)), wholeFont(whole.dc(), GameFont(20));
    const long page = sysconf(_SC_PAGESIZE);
    void* map = mmap(nullptr, size_t(2 * page), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(map, MAP_FAILED);
    ASSERT_EQ(mprotect(static_cast<char*>(map) + page, size_t(page), PROT_NONE), 0);
    char* edge = static_cast<char*>(map) + page - 3;
    std::memcpy(edge, "絶妙", 3);  // the lead byte of 妙 is the last readable byte
    ASSERT_TRUE(TextOutA(cut.dc(), 0, 0, edge, 3) && TextOutA(whole.dc(), 0, 0, "絶", 2));
    EXPECT_TRUE(cut.holds([&](int x, int y) { return whole.at(x, y); }));
    EXPECT_EQ(Extent(cut.dc(), edge, 3).cx, Extent(cut.dc(), "絶").cx);
    munmap(map, size_t(2 * page));
    EXPECT_EQ(Extent(cut.dc(), "絶\x96\0", 4).cx, Extent(cut.dc(), "絶").cx + Extent(cut.dc(), "\0", 1).cx);
    EXPECT_EQ(Extent(cut.dc(), "\xFC\x4B").cx, Extent(cut.dc(), "絶").cx) << "the last lead byte";
    SIZE size = {5, 5};
    EXPECT_FALSE(TextOutA(cut.dc(), 0, 0, nullptr, 1) || GetTextExtentPoint32A(cut.dc(), nullptr, 1, &size) ||
                 GetTextExtentPoint32A(cut.dc(), "A", 1, nullptr));
    EXPECT_EQ(size.cx, 5);
    EXPECT_TRUE(TextOutA(cut.dc(), 0, 0, nullptr, 0));
    EXPECT_TRUE(cut.holds([&](int x, int y) { return whole.at(x, y); })) << "nothing drawn";
}

// DT_CENTER at (left + right - width) / 2, DT_VCENTER at top + (bottom - top) / 2 - height / 2.
TEST(TextGdiDrawText, AlignmentFlagsPlaceTheLineAndClipToTheRectangle)
{
    Dib surface(200, -100, 32);
    const char text[] = "絶妙 12!";
    for (int height : {15, 16, 20}) {
        SelectedFont font(surface.dc(), GameFont(height));
        SetTextColor(surface.dc(), RGB(0, 0, 255));
        SetBkColor(surface.dc(), RGB(0, 0, 255));
        const int width = Extent(surface.dc(), text).cx;
        for (const RECT& bounds : {RECT{21, 7, 178, 88}, RECT{-5, -3, 170, 61}, RECT{30, 12, 75, 27}}) {
            const int left = bounds.left, top = bounds.top, centre = (bounds.left + bounds.right - width) / 2;
            const int right = bounds.right - width, middle = top + (bounds.bottom - top) / 2 - height / 2;
            const struct {
                UINT format;
                int x, y;
            } cases[] = {{DT_LEFT | DT_TOP, left, top},
                         {DT_CENTER, centre, top},
                         {DT_RIGHT | DT_VCENTER, right, middle},
                         {DT_BOTTOM | DT_CENTER, centre, bounds.bottom - height},
                         {DT_VCENTER | DT_CENTER, centre, middle}};
            for (const auto& c : cases) {
                surface.fill(0x123456);
                RECT rect = bounds;
                EXPECT_EQ(DrawTextA(surface.dc(), text, -1, &rect, DT_SINGLELINE | c.format), c.y + height - top);
                EXPECT_EQ(surfaces::Str(rect), surfaces::Str(bounds)) << "the rectangle is left as it was";
                const RECT cell = {std::max({c.x, left, 0}), std::max({c.y, top, 0}),
                                   std::min(c.x + width, int(bounds.right)),
                                   std::min(c.y + height, int(bounds.bottom))};
                EXPECT_EQ(surfaces::Str(surface.box(0x0000FF)), surfaces::Str(cell))
                    << height << " format " << c.format << " in " << surfaces::Str(bounds);
            }
        }
    }
}

// '&' underlines the next character below the baseline; "&&" and a last '&' draw '&'.
TEST(TextGdiDrawText, PrefixesCountsAndBadArguments)
{
    Dib prefixed(200, -100, 32), plain(200, -100, 32);
    SelectedFont prefixedFont(prefixed.dc(), GameFont(20)), plainFont(plain.dc(), GameFont(20));
    for (HDC dc : {prefixed.dc(), plain.dc()}) {
        SetTextColor(dc, RGB(255, 255, 0));
        SetBkMode(dc, TRANSPARENT);
    }
    const int ascent = TextAscent(SelectedFace(plain.dc()));
    const RECT bounds = {10, 20, 190, 80};
    const struct {
        const char* text;
        UINT format;
        const char *shown, *before, *marked;  // the text before the underlined character, and it
    } cases[] = {
        {"Sa&ve", DT_CENTER, "Save", "Sa", "v"},
        {"&A&B", DT_RIGHT, "AB", "", "A"},
        {"A&&B", 0, "A&B", "", nullptr},
        {"AB&", 0, "AB&", "", nullptr},
        {"版&絶妙", DT_VCENTER, "版絶妙", "版", "絶"},
    };
    for (const auto& c : cases) {
        prefixed.fill(0x123456);
        plain.fill(0x123456);
        RECT rect = bounds;
        EXPECT_EQ(DrawTextA(prefixed.dc(), c.text, int(strlen(c.text)), &rect, DT_SINGLELINE | c.format),
                  DrawTextA(plain.dc(), c.shown, -1, &rect, DT_SINGLELINE | DT_NOPREFIX | c.format));
        const int width = Extent(plain.dc(), c.shown).cx;
        const int x = c.format & DT_CENTER  ? (bounds.left + bounds.right - width) / 2
                      : c.format & DT_RIGHT ? bounds.right - width
                                            : bounds.left;
        const int y = c.format & DT_VCENTER ? 20 + 30 - 10 : 20, from = x + Extent(plain.dc(), c.before).cx;
        const int to = c.marked ? from + Extent(plain.dc(), c.marked).cx - 1 : from;
        EXPECT_TRUE(prefixed.holds([&](int px, int py) {
            return py == y + ascent + 1 && px >= from && px < to ? 0xFFFF00u : plain.at(px, py);
        })) << c.text;
    }
    RECT rect = {0, 0, 200, 100}, flat = {0, 10, 200, 10};
    for (const char* text : {"Hello", "A\nB"}) {
        prefixed.fill(0x123456);
        plain.fill(0x123456);
        EXPECT_EQ(DrawTextA(prefixed.dc(), text, -2, &rect, DT_SINGLELINE), 20);
        ASSERT_TRUE(TextOutA(plain.dc(), 0, 0, text, int(strlen(text))));
        EXPECT_TRUE(prefixed.holds([&](int x, int y) { return plain.at(x, y); })) << text;
    }
    prefixed.fill(0x123456);
    EXPECT_FALSE(DrawTextA(prefixed.dc(), "Hello", -1, &rect, DT_CENTER) ||
                 DrawTextA(prefixed.dc(), nullptr, -1, &rect, DT_SINGLELINE) ||
                 DrawTextA(prefixed.dc(), "Hello", -1, nullptr, DT_SINGLELINE));
    EXPECT_TRUE(prefixed.holds([](int, int) { return 0x123456; })) << "nothing drawn";
    EXPECT_EQ(DrawTextA(prefixed.dc(), "Hello", -1, &flat, DT_SINGLELINE | DT_BOTTOM), 1) << "0 is returned as 1";
}

}  // namespace
