// Pixel checks of the screens' texts: what a line must look like is drawn
// the rule's way into a reference picture, and the screen's picture must
// hold the same pixels there.
#pragma once

#include <windows.h>

#include "display/font_template.h"

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
    void Draw(const char* text, int count, RECT box, UINT format, LONG height)
    {
        LOGFONTA font = fontTemplate;
        font.lfHeight = height;
        HFONT made = CreateFontIndirectA(&font);
        HGDIOBJ kept = SelectObject(dc_, made);
        DrawTextA(dc_, text, count, &box, format);
        SelectObject(dc_, kept);
        DeleteObject(made);
    }

    // White pixels that differ between the reference and `dc` in the rows
    // top..bottom.
    int Differences(HDC dc, int top, int bottom) const
    {
        int differences = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 320; ++x) {
                bool expected = GetPixel(dc_, x, y) == RGB(255, 255, 255);
                bool actual = GetPixel(dc, x, y) == RGB(255, 255, 255);
                differences += expected != actual;
            }
        return differences;
    }

    // Whether the reference is white at (x, y).
    bool Ink(int x, int y) const { return GetPixel(dc_, x, y) == RGB(255, 255, 255); }

    // Rows in top..bottom of `dc` with any white pixel.
    static int InkRows(HDC dc, int top, int bottom)
    {
        int rows = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 320; ++x)
                if (GetPixel(dc, x, y) == RGB(255, 255, 255)) {
                    ++rows;
                    break;
                }
        return rows;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ kept_;
};
