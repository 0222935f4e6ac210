// StretchBlt and the sampled copy behind it and BitBlt.
//
// Every destination pixel takes the source pixel under its centre:
// source offset = ((2 * d + 1) * sourceSize) / (2 * destSize). Pixels are
// repeated or dropped, never blended, whatever the stretch mode: for the
// colour bitmaps drawn here BLACKONWHITE, WHITEONBLACK and HALFTONE act
// as COLORONCOLOR. Equal sizes give a plain copy.
#include "gdi/gdi_private.h"

#include <algorithm>
#include <cstring>

namespace {

// Columns handled per pass; the sample table lives on the stack.
constexpr int kMaxColumns = 8192;

int64_t SampleOffset(int64_t destOffset, int64_t sourceSize, int64_t destSize, bool mirror)
{
    // 128 bits: wild arguments must not overflow.
    const auto offset = int64_t(((2 * __int128(destOffset) + 1) * sourceSize) / (2 * __int128(destSize)));
    return mirror ? sourceSize - 1 - offset : offset;
}

// The samples of consecutive destination offsets from `first` (>= 0), one
// division for the first and whole-number steps after it: the numerator
// (2d + 1) * sourceSize grows by 2 * sourceSize per step.
class Sampler {
public:
    Sampler(int64_t first, int64_t sourceSize, int64_t destSize, bool mirror)
        : sourceSize(sourceSize), divisor(2 * destSize), mirror(mirror)
    {
        const unsigned __int128 numerator = (2 * (unsigned __int128)(first) + 1) * uint64_t(sourceSize);
        quotient = int64_t(numerator / divisor);
        remainder = uint64_t(numerator % divisor);
        stepQuotient = int64_t(uint64_t(2 * sourceSize) / divisor);
        stepRemainder = uint64_t(2 * sourceSize) % divisor;
    }

    int64_t Value() const { return mirror ? sourceSize - 1 - quotient : quotient; }

    void Next()
    {
        quotient += stepQuotient;
        remainder += stepRemainder;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++quotient;
        }
    }

private:
    int64_t sourceSize;
    uint64_t divisor;
    bool mirror;
    int64_t quotient;
    uint64_t remainder;
    int64_t stepQuotient;
    uint64_t stepRemainder;
};

using RowFunction = void (*)(uint8_t* dest, int first, int count, const uint8_t* source, const int* columns,
                             GdiConversion& conversion);

// One destination row: `count` pixels from column `first`, the i-th taken
// from source column columns[i].
template <int SourceBits, int DestBits, bool Paint>
void BlitRow(uint8_t* dest, int first, int count, const uint8_t* source, const int* columns, GdiConversion& conversion)
{
    for (int i = 0; i < count; ++i) {
        const int sx = columns[i];
        uint32_t value;
        if constexpr (SourceBits == 1) {
            value = conversion.lut[(source[sx >> 3] >> (7 - (sx & 7))) & 1];
        } else if constexpr (SourceBits == 8) {
            value = conversion.lut[source[sx]];
        } else {
            const uint32_t pixel = reinterpret_cast<const uint32_t*>(source)[sx];
            if constexpr (DestBits == 32)
                value = pixel;
            else if constexpr (DestBits == 8)
                value = conversion.Nearest(pixel);
            else
                value = (pixel & 0xFFFFFF) == conversion.backRgb ? 1 : 0;
        }
        const int dx = first + i;
        if constexpr (DestBits == 32) {
            uint32_t* out = reinterpret_cast<uint32_t*>(dest) + dx;
            *out = Paint ? (*out | value) : value;
        } else if constexpr (DestBits == 8) {
            dest[dx] = uint8_t(Paint ? (dest[dx] | value) : value);
        } else {
            const uint8_t mask = uint8_t(0x80 >> (dx & 7));
            uint8_t& byte = dest[dx >> 3];
            if (value)
                byte = uint8_t(byte | mask);
            else if (!Paint)
                byte = uint8_t(byte & ~mask);
        }
    }
}

int FormatIndex(int bitsPerPixel)
{
    return bitsPerPixel == 1 ? 0 : bitsPerPixel == 8 ? 1 : 2;
}

template <int SourceBits, int DestBits>
RowFunction PickRow(bool paint)
{
    return paint ? BlitRow<SourceBits, DestBits, true> : BlitRow<SourceBits, DestBits, false>;
}

RowFunction RowFunctionFor(int sourceBits, int destBits, bool paint)
{
    static const RowFunction table[3][3][2] = {
        {{PickRow<1, 1>(false), PickRow<1, 1>(true)},
         {PickRow<1, 8>(false), PickRow<1, 8>(true)},
         {PickRow<1, 32>(false), PickRow<1, 32>(true)}},
        {{PickRow<8, 1>(false), PickRow<8, 1>(true)},
         {PickRow<8, 8>(false), PickRow<8, 8>(true)},
         {PickRow<8, 32>(false), PickRow<8, 32>(true)}},
        {{PickRow<32, 1>(false), PickRow<32, 1>(true)},
         {PickRow<32, 8>(false), PickRow<32, 8>(true)},
         {PickRow<32, 32>(false), PickRow<32, 32>(true)}},
    };
    return table[FormatIndex(sourceBits)][FormatIndex(destBits)][paint ? 1 : 0];
}

struct Axis {
    int64_t dest;  // destination start and size (positive)
    int64_t destSize;
    int64_t source;  // source start and size (positive)
    int64_t sourceSize;
    bool mirror;

    // The source coordinate sampled by destination coordinate d.
    int64_t Sample(int d) const { return source + SampleOffset(d - dest, sourceSize, destSize, mirror); }
};

// Source and destination share memory and the rectangles meet: pixel by
// pixel, walking away from the side being written so every source pixel
// is read before it is overwritten.
void BlitOverlapping(const GdiSurface& surface, const Axis& ax, const Axis& ay, int left, int top, int right,
                     int bottom, bool paint)
{
    const bool rowsBackward = ay.dest > ay.source;
    const bool columnsBackward = ax.dest > ax.source;
    for (int r = 0; r < bottom - top; ++r) {
        const int dy = rowsBackward ? bottom - 1 - r : top + r;
        const int64_t sy = ay.Sample(dy);
        if (sy < 0 || sy >= surface.height)
            continue;
        for (int c = 0; c < right - left; ++c) {
            const int dx = columnsBackward ? right - 1 - c : left + c;
            const int64_t sx = ax.Sample(dx);
            if (sx < 0 || sx >= surface.width)
                continue;
            uint32_t value = GdiReadPixel(surface, int(sx), int(sy));
            if (paint)
                value |= GdiReadPixel(surface, dx, dy);
            GdiWritePixel(surface, dx, dy, value);
        }
    }
}

bool MakeAxis(Axis* axis, int64_t dest, int64_t destSize, int64_t source, int64_t sourceSize)
{
    if (destSize == 0 || sourceSize == 0)
        return false;
    axis->mirror = (destSize < 0) != (sourceSize < 0);
    axis->dest = destSize < 0 ? dest + destSize : dest;
    axis->destSize = destSize < 0 ? -destSize : destSize;
    axis->source = sourceSize < 0 ? source + sourceSize : source;
    axis->sourceSize = sourceSize < 0 ? -sourceSize : sourceSize;
    return true;
}

bool Overlaps(const Axis& axis)
{
    return axis.dest < axis.source + axis.sourceSize && axis.source < axis.dest + axis.destSize;
}

}  // namespace

bool GdiSampledBlit(GdiDc* destDc, const GdiSurface& dest, int x, int y, int width, int height, const GdiDc* sourceDc,
                    const GdiSurface& source, int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rop)
{
    Axis ax, ay;
    if (!MakeAxis(&ax, x, width, sourceX, sourceWidth) || !MakeAxis(&ay, y, height, sourceY, sourceHeight))
        return false;
    const int left = int(std::max<int64_t>(ax.dest, 0));
    const int right = int(std::min<int64_t>(ax.dest + ax.destSize, dest.width));
    const int top = int(std::max<int64_t>(ay.dest, 0));
    const int bottom = int(std::min<int64_t>(ay.dest + ay.destSize, dest.height));
    if (left >= right || top >= bottom)
        return false;
    const bool paint = rop == SRCPAINT;

    if (source.id == dest.id && Overlaps(ax) && Overlaps(ay)) {
        BlitOverlapping(dest, ax, ay, left, top, right, bottom, paint);
        return true;
    }

    GdiConversion conversion;
    GdiBuildConversion(&conversion, destDc, dest, sourceDc, source);
    const RowFunction row = RowFunctionFor(source.bitsPerPixel, dest.bitsPerPixel, paint);
    const int destBytes = dest.bitsPerPixel / 8;  // 0 for monochrome
    const bool stretched = ax.destSize != ax.sourceSize || ay.destSize != ay.sourceSize || ax.mirror || ay.mirror;
    const bool plainCopy =
        !stretched && !paint && conversion.identity && source.bitsPerPixel == dest.bitsPerPixel && destBytes != 0;

    // How the columns map: one to one, each source column twice, or any
    // other way (through the column table).
    const bool unitColumns = !ax.mirror && ax.destSize == ax.sourceSize;
    const bool doubledColumns = !ax.mirror && ax.destSize == 2 * ax.sourceSize;
    const bool eightToThirtyTwo = source.bitsPerPixel == 8 && dest.bitsPerPixel == 32;

    int columns[kMaxColumns];
    bool drawn = false;
    for (int passLeft = left; passLeft < right; passLeft += kMaxColumns) {
        const int passRight = std::min(right, passLeft + kMaxColumns);
        // The columns whose sample lies inside the source; being monotonic
        // in the destination column, they form one run.
        int first = 0, count = 0;
        Sampler column(passLeft - ax.dest, ax.sourceSize, ax.destSize, ax.mirror);
        for (int dx = passLeft; dx < passRight; ++dx, column.Next()) {
            const int64_t sx = ax.source + column.Value();
            if (sx < 0 || sx >= source.width)
                continue;
            if (count == 0)
                first = dx;
            columns[count++] = int(sx);
        }
        if (count == 0)
            continue;
        const uint8_t* previousSource = nullptr;
        const uint8_t* previousDest = nullptr;
        Sampler rowSampler(top - ay.dest, ay.sourceSize, ay.destSize, ay.mirror);
        for (int dy = top; dy < bottom; ++dy, rowSampler.Next()) {
            const int64_t sy = ay.source + rowSampler.Value();
            if (sy < 0 || sy >= source.height)
                continue;
            uint8_t* destRow = dest.origin + ptrdiff_t(dy) * dest.pitch;
            const uint8_t* sourceRow = source.origin + ptrdiff_t(sy) * source.pitch;
            if (plainCopy) {
                std::memcpy(destRow + ptrdiff_t(first) * destBytes, sourceRow + ptrdiff_t(columns[0]) * destBytes,
                            size_t(count) * size_t(destBytes));
            } else if (sourceRow == previousSource && !paint && destBytes != 0) {
                // A repeated source row gives the row just drawn again.
                std::memcpy(destRow + ptrdiff_t(first) * destBytes, previousDest + ptrdiff_t(first) * destBytes,
                            size_t(count) * size_t(destBytes));
            } else if (eightToThirtyTwo && !paint && unitColumns) {
                GdiConvertRow8To32(reinterpret_cast<uint32_t*>(destRow) + first, sourceRow + columns[0], count,
                                   conversion.lut);
            } else if (eightToThirtyTwo && !paint && doubledColumns) {
                GdiConvertRow8To32Doubled(reinterpret_cast<uint32_t*>(destRow) + first, sourceRow + columns[0], count,
                                          ((first - ax.dest) & 1) != 0, conversion.lut);
            } else if (!paint && doubledColumns && conversion.identity && destBytes == 4 && source.bitsPerPixel == 32) {
                GdiDoubleRow32(reinterpret_cast<uint32_t*>(destRow) + first,
                               reinterpret_cast<const uint32_t*>(sourceRow) + columns[0], count,
                               ((first - ax.dest) & 1) != 0);
            } else if (paint && unitColumns && conversion.identity && destBytes == 4 && source.bitsPerPixel == 32) {
                GdiOrRow32(reinterpret_cast<uint32_t*>(destRow) + first,
                           reinterpret_cast<const uint32_t*>(sourceRow) + columns[0], count);
            } else {
                row(destRow, first, count, sourceRow, columns, conversion);
            }
            previousSource = sourceRow;
            previousDest = destRow;
            drawn = true;
        }
    }
    return drawn;
}

// SRCCOPY and SRCPAINT; other raster operations fail.
BOOL WINAPI StretchBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
                       int sourceWidth, int sourceHeight, DWORD rop)
{
    GdiDc* dest = GdiLookupDc(destHandle);
    GdiDc* source = GdiLookupDc(sourceHandle);
    if (dest == nullptr || source == nullptr || (rop != SRCCOPY && rop != SRCPAINT))
        return FALSE;
    GdiSurface destSurface, sourceSurface;
    if (!GdiDcSurface(dest, &destSurface) || !GdiDcSurface(source, &sourceSurface))
        return TRUE;
    if (GdiSampledBlit(dest, destSurface, x, y, width, height, source, sourceSurface, sourceX, sourceY, sourceWidth,
                       sourceHeight, rop))
        GdiDcDrawn(dest);
    return TRUE;
}
