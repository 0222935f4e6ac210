// Glyph engine drawing: solid pixels only, clipped to the target, never
// reading past the given bytes, and no allocation once warm.
#include <gtest/gtest.h>

#include <malloc.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

#include <vector>

#include "text/glyphs.h"

namespace {

const char kMincho[] = "ＭＳ 明朝";
const char kPGothic[] = "ＭＳ Ｐゴシック";
constexpr uint32_t kMarker = 0x00123456;
constexpr uint32_t kColour = 0x00FFEE01;

struct Face {
    TextFace* face;
    Face(const char* name, int cell) : face(TextOpenFace(name, cell)) {}
    ~Face() { TextCloseFace(face); }
};

struct Canvas32 {
    int width, height;
    std::vector<uint32_t> pixels;
    Canvas32(int w, int h) : width(w), height(h), pixels(size_t(w) * h, kMarker) {}
    void Draw(TextFace* face, const char* text, size_t length, int x, int y) {
        TextDraw32(face, text, length, x, y, kColour, pixels.data(), width, height, width);
    }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
    int Count(uint32_t value) const {
        int n = 0;
        for (uint32_t p : pixels) n += p == value;
        return n;
    }
};

TEST(TextDraw, PixelsAreEitherUntouchedOrTheTextColour) {
    for (const char* name : {kMincho, kPGothic}) {
        for (int cell : {14, 20, 80}) {
            Face face(name, cell);
            ASSERT_NE(face.face, nullptr);
            const char text[] = "避練 Score 123 ｽｺｱ";
            Canvas32 canvas(TextMeasure(face.face, text, strlen(text)) + 8, cell + 8);
            canvas.Draw(face.face, text, strlen(text), 4, 4);
            int colour = canvas.Count(kColour), marker = canvas.Count(kMarker);
            EXPECT_GT(colour, cell * 10) << name << " " << cell;
            EXPECT_EQ(colour + marker, canvas.width * canvas.height) << name << " " << cell;

            // The 8-bit target gets exactly the same pixels.
            std::vector<uint8_t> eight(canvas.pixels.size(), 7);
            TextDraw8(face.face, text, strlen(text), 4, 4, 200, eight.data(), canvas.width, canvas.height,
                      canvas.width);
            for (size_t i = 0; i < eight.size(); ++i) {
                ASSERT_TRUE(eight[i] == 7 || eight[i] == 200) << i;
                ASSERT_EQ(eight[i] == 200, canvas.pixels[i] == kColour) << i;
            }
        }
    }
}

TEST(TextDraw, TextSitsOnTheBaselineAndAdvancesLeftToRight) {
    Face face(kMincho, 20);
    ASSERT_NE(face.face, nullptr);
    int ascent = TextAscent(face.face);
    int half = TextMeasure(face.face, "_", 1);
    Canvas32 canvas(4 * half, 40);
    canvas.Draw(face.face, "_-", 2, 0, 10);
    // '_' lies on or just below the baseline inside the first half-width
    // cell; '-' is drawn in the second cell, well above the baseline.
    int underscoreRow = -1, dashRow = -1;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            if (canvas.At(x, y) == kColour) {
                if (x < half) {
                    if (underscoreRow < 0) underscoreRow = y;
                    EXPECT_GE(x, 0);
                } else {
                    EXPECT_LT(x, 2 * half);
                    if (dashRow < 0) dashRow = y;
                }
            }
    ASSERT_GE(underscoreRow, 0);
    ASSERT_GE(dashRow, 0);
    EXPECT_GE(underscoreRow, 10 + ascent - 2);
    EXPECT_LT(underscoreRow, 10 + 20);
    EXPECT_LT(dashRow, 10 + ascent - 2);
    EXPECT_GT(dashRow, 10);
}

TEST(TextDraw, DrawingIsClippedToTheTargetAndMatchesUnclippedPixels) {
    Face face(kMincho, 24);
    ASSERT_NE(face.face, nullptr);
    const char text[] = "避練避練";
    // Reference: the whole string drawn with room to spare.
    Canvas32 whole(200, 60);
    whole.Draw(face.face, text, 8, 50, 20);

    // A 40x20 target inside a wider, taller buffer; the text overlaps all
    // four edges. Pixels beyond the target's width and height stay put.
    const int stride = 64, rows = 30, width = 40, height = 20;
    for (int x : {-30, -5, 10, 35}) {
        for (int y : {-15, -3, 5, 12}) {
            std::vector<uint32_t> buffer(size_t(stride) * rows, kMarker);
            TextDraw32(face.face, text, 8, x, y, kColour, buffer.data(), width, height, stride);
            for (int row = 0; row < rows; ++row)
                for (int col = 0; col < stride; ++col) {
                    uint32_t got = buffer[size_t(row) * stride + col];
                    if (row >= height || col >= width) {
                        ASSERT_EQ(got, kMarker) << x << "," << y << " at " << col << "," << row;
                        continue;
                    }
                    int wx = col - x + 50, wy = row - y + 20;
                    uint32_t want = wx >= 0 && wy >= 0 && wx < whole.width && wy < whole.height
                                        ? whole.At(wx, wy) : kMarker;
                    ASSERT_EQ(got, want) << x << "," << y << " at " << col << "," << row;
                }
        }
    }

    // Entirely outside: nothing drawn.
    Canvas32 small(10, 10);
    small.Draw(face.face, text, 8, -1000, 0);
    small.Draw(face.face, text, 8, 11, 0);
    small.Draw(face.face, text, 8, 0, -100);
    small.Draw(face.face, text, 8, 0, 10);
    EXPECT_EQ(small.Count(kMarker), 100);
}

TEST(TextDraw, ACutDoubleByteCharacterIsNotReadPast) {
    Face face(kMincho, 16);
    ASSERT_NE(face.face, nullptr);
    // "絶妙" with its last byte on an unreadable page: the 3-byte prefix
    // ends in a lead byte whose trail must not be touched.
    long page = sysconf(_SC_PAGESIZE);
    void* map = mmap(nullptr, size_t(2 * page), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(map, MAP_FAILED);
    char* base = static_cast<char*>(map);
    ASSERT_EQ(mprotect(base + page, size_t(page), PROT_NONE), 0);
    char* text = base + page - 3;
    memcpy(text, "絶妙", 3);

    int one = TextMeasure(face.face, "絶", 2);
    EXPECT_GT(one, 0);
    EXPECT_EQ(TextMeasure(face.face, text, 3), one);

    Canvas32 cut(64, 20), single(64, 20);
    cut.Draw(face.face, text, 3, 0, 0);
    single.Draw(face.face, "絶", 2, 0, 0);
    EXPECT_EQ(cut.pixels, single.pixels);
    EXPECT_GT(single.Count(kColour), 10);

    // A lead byte followed by NUL is dropped too.
    EXPECT_EQ(TextMeasure(face.face, "絶\x96\0", 4), one + TextMeasure(face.face, "\0", 1));
    munmap(map, size_t(2 * page));
}

}  // namespace

// Counts C++ allocations so a test can see that warm drawing makes none.
// Weak so that another test file's counting operator new takes over.
static size_t g_newCalls;
__attribute__((weak)) void* operator new(size_t size) {
    ++g_newCalls;
    if (void* p = malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
__attribute__((weak)) void operator delete(void* p) noexcept { free(p); }
__attribute__((weak)) void operator delete(void* p, size_t) noexcept { free(p); }

namespace {

TEST(TextDraw, DrawingTheSameTextAgainDoesNotAllocate) {
    Face face(kMincho, 16), other(kPGothic, 16);
    ASSERT_NE(face.face, nullptr);
    ASSERT_NE(other.face, nullptr);
    const char text[] = "SCORE 0012345  避練 ﾊｲｽｺｱ";
    std::vector<uint32_t> frame(320 * 240);
    std::vector<uint8_t> frame8(320 * 240);
    auto drawFrame = [&] {
        int width = TextMeasure(face.face, text, strlen(text));
        TextDraw32(face.face, text, strlen(text), 320 - width, 10, 0xFFFFFF, frame.data(), 320, 240, 320);
        TextDraw32(other.face, text, strlen(text), 5, 100, 0xFF0000, frame.data(), 320, 240, 320);
        TextDraw8(face.face, text, strlen(text), 5, 200, 15, frame8.data(), 320, 240, 320);
    };
    drawFrame();  // renders and caches the glyphs

    size_t newCalls = g_newCalls;
    struct mallinfo2 before = mallinfo2();
    for (int i = 0; i < 100; ++i) drawFrame();
    struct mallinfo2 after = mallinfo2();
    EXPECT_EQ(g_newCalls, newCalls);
    EXPECT_EQ(after.uordblks, before.uordblks);
    EXPECT_EQ(after.hblkhd, before.hblkhd);
}

}  // namespace
