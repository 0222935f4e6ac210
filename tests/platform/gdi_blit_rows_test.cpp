// The row loops behind the game's blits, checked pixel by pixel against
// the rules they speed up: 8-bit rows through the colour table (16 pixels
// at a time where every index is below 16, one by one where not), rows
// with each pixel doubled, and 32-bit rows OR-ed on. Every start, width
// and clip is tried, so blocks, tails and odd starts all show, on each
// instruction set the processor offers.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "gdi/gdi_private.h"
#include "platform/text_gdi_fixture.h"

using gdi_test::BaseColourPixel;
using gdi_test::DibSurface;

TEST(GdiBlitRows, EveryRowPathFollowsThePlainRule)
{
    constexpr uint32_t kUntouched = 0xEEEEEE;
    // 8-bit indices of every colour, with a few of 16 and more inside the
    // blocks; the 32-bit rows with white (all bits) among others.
    DibSurface frame(96, 1, 8, 16), wide(96, 1, 32), label(96, 1, 32);
    frame.paint([](int x, int) { return x == 20 ? 16 : x == 31 ? 200 : x == 66 ? 255 : (x * 7 + 3) % 16; });
    wide.paint([](int x, int) { return 0x010000 * x + 7; });
    label.paint([](int x, int) { return x % 3 == 0 ? 0xFFFFFF : 0x100001 * x; });
    // Indices past the table's 16 entries read as black.
    const auto fromFrame = [&](int x) { return frame.index(x, 0) < 16 ? BaseColourPixel(frame.index(x, 0)) : 0; };
    const struct {
        const char* name;
        HDC source;
        int scale;
        DWORD rop;
        std::function<uint32_t(int)> value;  // of source column x
    } cases[] = {
        {"8-bit", frame.dc(), 1, SRCCOPY, fromFrame},
        {"8-bit doubled", frame.dc(), 2, SRCCOPY, fromFrame},
        {"32-bit doubled", wide.dc(), 2, SRCCOPY, [&](int x) { return wide.pixel(x, 0); }},
        {"32-bit OR", label.dc(), 1, SRCPAINT, [&](int x) { return kUntouched | label.pixel(x, 0); }},
    };
    text_gdi_test::Window target(200, 1, kUntouched);
    for (GdiRowPath path : {GdiRowPath::Scalar, GdiRowPath::Ssse3, GdiRowPath::Avx2}) {
        if (!GdiChooseRowPath(path))
            continue;
        for (const auto& c : cases)
            for (int x = -41; x < 100; x += 3)
                for (int width : {1, 8, 15, 16, 17, 31, 33, 40, 80}) {
                    std::fill(target.pixels.begin(), target.pixels.end(), kUntouched);
                    ASSERT_TRUE(StretchBlt(target.dc, x, 0, c.scale * width, 1, c.source, 3, 0, width, 1, c.rop));
                    for (int dx = 0; dx < 200; ++dx) {
                        const int d = dx - x;
                        const uint32_t want = d >= 0 && d < c.scale * width ? c.value(3 + d / c.scale) : kUntouched;
                        ASSERT_EQ(target.at(dx, 0), want) << c.name << " on path " << int(path) << ", x " << x
                                                          << " width " << width << " at " << dx;
                    }
                }
    }
    GdiChooseRowPath(GdiRowPath::Avx2);
}
