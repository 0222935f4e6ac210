// Pixel checks of the screens' texts: what a line must look like is drawn
// the rule's way into a reference picture, and the screen's picture must
// hold the same pixels there.
#pragma once

#include <windows.h>

#include "display/display.h"

class ReferencePicture {
public:
    ReferencePicture()
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 320;
        info.bmiHeader.biHeight = -240;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        kept_ = SelectObject(dc_, bitmap_);
        SetTextColor(dc_, RGB(255, 255, 255));
        SetBkMode(dc_, TRANSPARENT);
    }

    ~ReferencePicture()
    {
        SelectObject(dc_, kept_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }

    // Draws a line in the game's face at `height`, as the screens do.
    void Draw(const char* text, RECT box, UINT format, LONG height)
    {
        LOGFONTA font = fontTemplate;
        font.lfHeight = height;
        HFONT made = CreateFontIndirectA(&font);
        HGDIOBJ kept = SelectObject(dc_, made);
        DrawTextA(dc_, text, -1, &box, format);
        SelectObject(dc_, kept);
        DeleteObject(made);
    }

    // Pixels in rows top..bottom white in one of the reference and `dc`
    // but not in the other; with `inkOnly`, only the reference's white
    // pixels missing from `dc` (text standing over another picture).
    int Differences(HDC dc, int top, int bottom, bool inkOnly = false) const
    {
        int differences = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 320; ++x) {
                bool expected = White(dc_, x, y);
                differences += expected != White(dc, x, y) && (expected || !inkOnly);
            }
        return differences;
    }

    // Rows in top..bottom of `dc` with any white pixel.
    static int InkRows(HDC dc, int top, int bottom)
    {
        int rows = 0;
        for (int y = top; y < bottom; ++y) {
            int x = 0;
            while (x < 320 && !White(dc, x, y))
                ++x;
            rows += x < 320;
        }
        return rows;
    }

    HDC Dc() const { return dc_; }

private:
    static bool White(HDC dc, int x, int y) { return GetPixel(dc, x, y) == RGB(255, 255, 255); }

    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ kept_;
};
