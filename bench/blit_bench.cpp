// The platform/ blits behind the game's figures, each on the surfaces the
// game uses: the 8-bit frame (a 16-colour DIB section), 32-bit memory
// bitmaps like the compose and banner pictures, and 32-bit destinations
// of the window's sizes.
#include <benchmark/benchmark.h>
#include <string.h>
#include <windows.h>

#include "bench_support.h"
#include "display/picture.h"

namespace {
struct Surface {
    HDC dc = nullptr;
    void* bits = nullptr;
};

// A DIB section in its own memory DC: 8-bit with the game's colours, or
// 32-bit. Bottom-up, as the game's frame.
Surface MakeSurface(int width, int height, int bitsPerPixel)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.header.biCompression = BI_RGB;
    if (bitsPerPixel == 8) {
        info.header.biClrUsed = 16;
        memcpy(info.colours, basePalette, sizeof(basePalette));
    }
    Surface surface;
    surface.dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap =
        CreateDIBSection(surface.dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &surface.bits, nullptr, 0);
    SelectObject(surface.dc, bitmap);
    return surface;
}

// The frame with a picture in it: every colour, in runs.
const Surface& Frame()
{
    static Surface frame = [] {
        Surface s = MakeSurface(320, 240, 8);
        auto* bytes = static_cast<BYTE*>(s.bits);
        for (int i = 0; i < 320 * 240; ++i)
            bytes[i] = static_cast<BYTE>((i / 7 + i / 320) & 15);
        return s;
    }();
    return frame;
}

const Surface& Picture32()
{
    static Surface picture = [] {
        Surface s = MakeSurface(320, 240, 32);
        auto* pixels = static_cast<DWORD*>(s.bits);
        for (int i = 0; i < 320 * 240; ++i)
            pixels[i] = (i & 1) ? 0x00FFFFFFu : 0u;
        return s;
    }();
    return picture;
}

// The frame to a 32-bit destination of the given size: BitBlt at 320 x
// 240, StretchBlt otherwise (whole pixels doubled at 640 x 480; the
// general sampling at other sizes).
void BM_Frame8To32(benchmark::State& state)
{
    int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    Surface dest = MakeSurface(width, height, 32);
    const Surface& frame = Frame();
    for (auto _ : state) {
        if (width == 320 && height == 240)
            BitBlt(dest.dc, 0, 0, 320, 240, frame.dc, 0, 0, SRCCOPY);
        else
            StretchBlt(dest.dc, 0, 0, width, height, frame.dc, 0, 0, 320, 240, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}
BENCHMARK(BM_Frame8To32)->Args({320, 240})->Args({640, 480})->Args({1024, 768})->Args({1920, 1080});

// The frame's top 16 lines into the compose picture (the strip behind the
// banners).
void BM_Strip8To32(benchmark::State& state)
{
    Surface compose = MakeSurface(320, 240, 32);
    const Surface& frame = Frame();
    for (auto _ : state) {
        BitBlt(compose.dc, 0, 0, 320, 16, frame.dc, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 320 * 16);
}
BENCHMARK(BM_Strip8To32);

// A label OR-ed over the strip (SRCPAINT), 112 x 16 as the widest label.
void BM_Label32Paint(benchmark::State& state)
{
    Surface compose = MakeSurface(320, 240, 32);
    const Surface& banner = Picture32();
    for (auto _ : state) {
        BitBlt(compose.dc, 208, 0, 112, 16, banner.dc, 0, 0, SRCPAINT);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 112 * 16);
}
BENCHMARK(BM_Label32Paint);

// A 32-bit picture to a 32-bit destination: the composed strip to the
// window (320 x 16), a whole screen at 320 x 240, or doubled to 640 x 480.
void BM_Picture32To32(benchmark::State& state)
{
    int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    Surface dest = MakeSurface(width, height, 32);
    const Surface& picture = Picture32();
    int sourceHeight = height == 16 ? 16 : 240;
    for (auto _ : state) {
        StretchBlt(dest.dc, 0, 0, width, height, picture.dc, 0, 0, 320, sourceHeight, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}
BENCHMARK(BM_Picture32To32)->Args({320, 16})->Args({320, 240})->Args({640, 480});

// The black fill behind every screen (PatBlt BLACKNESS).
void BM_PatBltBlack32(benchmark::State& state)
{
    const Surface& picture = Picture32();
    for (auto _ : state) {
        PatBlt(picture.dc, 0, 0, 320, 240, BLACKNESS);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 320 * 240);
}
BENCHMARK(BM_PatBltBlack32);
}  // namespace
