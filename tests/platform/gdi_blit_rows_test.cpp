// The row loops behind the game's blits, checked pixel by pixel against
// the rules they speed up: 8-bit rows through the colour table (16
// pixels at a time where every index is below 16, one by one where not),
// rows with each pixel doubled, and 32-bit rows OR-ed on. Every width,
// start and clip is tried, so blocks, tails and odd starts all show, on
// each instruction set the processor offers.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "conformance/gdi_surfaces.h"
#include "gdi/gdi_private.h"
#include "user/window_pixels.h"

using gdi_test::BaseColourPixel;
using gdi_test::DibSurface;

namespace {
constexpr uint32_t kUntouched = 0xEEEEEE;

// Rows of 32-bit pixels with a window DC drawing into them.
class Target {
public:
    explicit Target(int width, int height = 1) : pixels_(size_t(width) * height, kUntouched), width_(width)
    {
        target_ = WindowPixels{pixels_.data(), width, height, false};
        dc_ = GdiCreateWindowDc(&target_);
    }
    ~Target() { GdiDestroyWindowDc(dc_); }
    HDC dc() const { return dc_; }
    uint32_t at(int x, int y = 0) const { return pixels_[size_t(y) * width_ + x]; }
    void reset() { std::fill(pixels_.begin(), pixels_.end(), kUntouched); }

private:
    std::vector<uint32_t> pixels_;
    int width_;
    WindowPixels target_;
    HDC dc_;
};

const GdiRowPath kPaths[] = {GdiRowPath::Scalar, GdiRowPath::Ssse3, GdiRowPath::Avx2};

const char* Name(GdiRowPath path)
{
    return path == GdiRowPath::Scalar ? "scalar" : path == GdiRowPath::Ssse3 ? "SSSE3" : "AVX2";
}

// Indices past the 16 entries of the table read as black.
uint32_t Expected(BYTE index)
{
    return index < 16 ? BaseColourPixel(index) : 0;
}

// A row of 80 indices: every colour, with a few indices of 16 and more
// in the second and fifth blocks of 16.
void FillRow(const DibSurface& source)
{
    for (int x = 0; x < 80; ++x)
        source.index(x, 0) = BYTE((x * 7 + 3) % 16);
    source.index(20, 0) = 16;
    source.index(31, 0) = 200;
    source.index(66, 0) = 255;
}
}  // namespace

TEST(GdiBlitRows, EightBitRowsTakeTheTableEntryOfEveryIndex)
{
    DibSurface source(80, 1, 8, 16);
    ASSERT_TRUE(source.valid());
    FillRow(source);
    Target target(100);
    for (GdiRowPath path : kPaths) {
        if (!GdiChooseRowPath(path))
            continue;
        for (int x = -20; x < 100; x += 3)
            for (int width : {1, 15, 16, 17, 33, 80}) {
                target.reset();
                ASSERT_TRUE(BitBlt(target.dc(), x, 0, width, 1, source.dc(), 0, 0, SRCCOPY));
                for (int dx = 0; dx < 100; ++dx) {
                    const int sx = dx - x;
                    const uint32_t want = sx >= 0 && sx < width ? Expected(source.index(sx, 0)) : kUntouched;
                    ASSERT_EQ(target.at(dx), want) << Name(path) << " x " << x << " width " << width << " at " << dx;
                }
            }
    }
    GdiChooseRowPath(GdiRowPath::Avx2);
}

TEST(GdiBlitRows, DoubledRowsRepeatEachPixelWhateverTheClip)
{
    DibSurface source(80, 1, 8, 16);
    ASSERT_TRUE(source.valid());
    FillRow(source);
    DibSurface wide(80, 1, 32);
    ASSERT_TRUE(wide.valid());
    for (int x = 0; x < 80; ++x)
        wide.pixel(x, 0) = 0x010000u * x + 7;
    Target target(200);
    for (GdiRowPath path : kPaths) {
        if (!GdiChooseRowPath(path))
            continue;
        for (int x = -41; x < 60; x += 5)
            for (int width : {1, 8, 16, 31, 40})
                for (bool eightBit : {true, false}) {
                    target.reset();
                    HDC from = eightBit ? source.dc() : wide.dc();
                    ASSERT_TRUE(StretchBlt(target.dc(), x, 0, 2 * width, 1, from, 3, 0, width, 1, SRCCOPY));
                    for (int dx = 0; dx < 200; ++dx) {
                        const int d = dx - x;
                        uint32_t want = kUntouched;
                        if (d >= 0 && d < 2 * width)
                            want = eightBit ? Expected(source.index(3 + d / 2, 0)) : wide.pixel(3 + d / 2, 0);
                        ASSERT_EQ(target.at(dx), want) << Name(path) << (eightBit ? " 8" : " 32") << "-bit x " << x
                                                       << " width " << width << " at " << dx;
                    }
                }
    }
    GdiChooseRowPath(GdiRowPath::Avx2);
}

TEST(GdiBlitRows, PaintOrsEveryPixelOfTheRowOnce)
{
    DibSurface label(40, 1, 32);
    ASSERT_TRUE(label.valid());
    for (int x = 0; x < 40; ++x)
        label.pixel(x, 0) = (x % 3 == 0) ? 0x00FFFFFFu : 0x00100001u * x;
    Target target(64);
    for (int x = -10; x < 64; x += 7)
        for (int width = 1; width <= 40; width += 6) {
            target.reset();
            ASSERT_TRUE(BitBlt(target.dc(), x, 0, width, 1, label.dc(), 0, 0, SRCPAINT));
            for (int dx = 0; dx < 64; ++dx) {
                const int sx = dx - x;
                const uint32_t want = sx >= 0 && sx < width ? (kUntouched | label.pixel(sx, 0)) : kUntouched;
                ASSERT_EQ(target.at(dx), want) << "x " << x << " width " << width << " at " << dx;
            }
        }
}
