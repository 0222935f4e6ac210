// Rows of 8-bit pixels to 32-bit ones through a lookup table: the inner
// loop of every 8-bit to 32-bit blit, plain or with each pixel doubled;
// 32-bit rows with each pixel doubled; and the OR of one 32-bit row onto
// another (SRCPAINT).
//
// Blocks of 16 pixels whose indices all lie below 16 (a 16-colour picture)
// take the first 16 entries in vector registers: with AVX2 as two tables
// of 8 values indexed by permutes, with SSSE3 as four tables of 16 bytes
// indexed by byte shuffles. Any other block, and any processor without
// either, takes the table one pixel at a time.
#include "gdi/gdi_private.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define GDI_ROWS_X86 1
#endif

namespace {

void ConvertScalar(uint32_t* dest, const uint8_t* source, int count, const uint32_t* lut)
{
    for (int i = 0; i < count; ++i)
        dest[i] = lut[source[i]];
}

void DoubleScalar(uint32_t* dest, const uint8_t* source, int count, const uint32_t* lut)
{
    for (int i = 0; i + 1 < count; i += 2) {
        const uint32_t value = lut[source[i >> 1]];
        dest[i] = value;
        dest[i + 1] = value;
    }
    if (count & 1)
        dest[count - 1] = lut[source[(count - 1) >> 1]];
}

#if GDI_ROWS_X86
// The first 16 table entries as four planes, one per byte of the value.
struct Planes {
    __m128i byte[4];
};

__attribute__((target("ssse3"))) Planes MakePlanes(const uint32_t* lut)
{
    alignas(16) uint8_t bytes[4][16];
    for (int i = 0; i < 16; ++i)
        for (int b = 0; b < 4; ++b)
            bytes[b][i] = uint8_t(lut[i] >> (8 * b));
    Planes planes;
    for (int b = 0; b < 4; ++b)
        planes.byte[b] = _mm_load_si128(reinterpret_cast<const __m128i*>(bytes[b]));
    return planes;
}

// 16 indices to 16 values, four in each of out0..out3, or false when one
// of them is 16 or more.
__attribute__((target("ssse3"), always_inline)) inline bool Lookup16(const Planes& planes, const uint8_t* source,
                                                                     __m128i& out0, __m128i& out1, __m128i& out2,
                                                                     __m128i& out3)
{
    const __m128i index = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
    const __m128i high = _mm_and_si128(index, _mm_set1_epi8(char(0xF0)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(high, _mm_setzero_si128())) != 0xFFFF)
        return false;
    const __m128i b0 = _mm_shuffle_epi8(planes.byte[0], index);
    const __m128i b1 = _mm_shuffle_epi8(planes.byte[1], index);
    const __m128i b2 = _mm_shuffle_epi8(planes.byte[2], index);
    const __m128i b3 = _mm_shuffle_epi8(planes.byte[3], index);
    const __m128i low01 = _mm_unpacklo_epi8(b0, b1), high01 = _mm_unpackhi_epi8(b0, b1);
    const __m128i low23 = _mm_unpacklo_epi8(b2, b3), high23 = _mm_unpackhi_epi8(b2, b3);
    out0 = _mm_unpacklo_epi16(low01, low23);
    out1 = _mm_unpackhi_epi16(low01, low23);
    out2 = _mm_unpacklo_epi16(high01, high23);
    out3 = _mm_unpackhi_epi16(high01, high23);
    return true;
}

__attribute__((target("ssse3"))) void ConvertSsse3(uint32_t* dest, const uint8_t* source, int count,
                                                   const uint32_t* lut)
{
    const Planes planes = MakePlanes(lut);
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        __m128i v0, v1, v2, v3;
        if (!Lookup16(planes, source + i, v0, v1, v2, v3)) {
            ConvertScalar(dest + i, source + i, 16, lut);
            continue;
        }
        __m128i* out = reinterpret_cast<__m128i*>(dest + i);
        _mm_storeu_si128(out, v0);
        _mm_storeu_si128(out + 1, v1);
        _mm_storeu_si128(out + 2, v2);
        _mm_storeu_si128(out + 3, v3);
    }
    ConvertScalar(dest + i, source + i, count - i, lut);
}

// `count` (even) values from count / 2 indices, each value twice.
__attribute__((target("ssse3"))) void DoubleSsse3(uint32_t* dest, const uint8_t* source, int count, const uint32_t* lut)
{
    const Planes planes = MakePlanes(lut);
    int i = 0;
    for (; i + 32 <= count; i += 32) {
        __m128i v0, v1, v2, v3;
        if (!Lookup16(planes, source + i / 2, v0, v1, v2, v3)) {
            DoubleScalar(dest + i, source + i / 2, 32, lut);
            continue;
        }
        __m128i* out = reinterpret_cast<__m128i*>(dest + i);
        _mm_storeu_si128(out, _mm_unpacklo_epi32(v0, v0));
        _mm_storeu_si128(out + 1, _mm_unpackhi_epi32(v0, v0));
        _mm_storeu_si128(out + 2, _mm_unpacklo_epi32(v1, v1));
        _mm_storeu_si128(out + 3, _mm_unpackhi_epi32(v1, v1));
        _mm_storeu_si128(out + 4, _mm_unpacklo_epi32(v2, v2));
        _mm_storeu_si128(out + 5, _mm_unpackhi_epi32(v2, v2));
        _mm_storeu_si128(out + 6, _mm_unpacklo_epi32(v3, v3));
        _mm_storeu_si128(out + 7, _mm_unpackhi_epi32(v3, v3));
    }
    DoubleScalar(dest + i, source + i / 2, count - i, lut);
}

// The first 16 entries, eight in each half.
struct Halves {
    __m256i low, high;
};

__attribute__((target("avx2"))) Halves MakeHalves(const uint32_t* lut)
{
    return Halves{_mm256_loadu_si256(reinterpret_cast<const __m256i*>(lut)),
                  _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lut + 8))};
}

// 16 indices (each below 16) to 16 values stored at dest.
__attribute__((target("avx2"), always_inline)) inline void Store16(const Halves& table, __m128i index, uint32_t* dest)
{
    const __m256i first = _mm256_cvtepu8_epi32(index);
    const __m256i second = _mm256_cvtepu8_epi32(_mm_srli_si128(index, 8));
    // Bit 3 of the index, moved to the sign bit, picks the half.
    const __m256 v0 = _mm256_blendv_ps(_mm256_castsi256_ps(_mm256_permutevar8x32_epi32(table.low, first)),
                                       _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(table.high, first)),
                                       _mm256_castsi256_ps(_mm256_slli_epi32(first, 28)));
    const __m256 v1 = _mm256_blendv_ps(_mm256_castsi256_ps(_mm256_permutevar8x32_epi32(table.low, second)),
                                       _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(table.high, second)),
                                       _mm256_castsi256_ps(_mm256_slli_epi32(second, 28)));
    _mm256_storeu_ps(reinterpret_cast<float*>(dest), v0);
    _mm256_storeu_ps(reinterpret_cast<float*>(dest + 8), v1);
}

__attribute__((target("avx2"))) inline bool Below16(__m128i index)
{
    return _mm_testz_si128(index, _mm_set1_epi8(char(0xF0))) != 0;
}

__attribute__((target("avx2"))) void ConvertAvx2(uint32_t* dest, const uint8_t* source, int count, const uint32_t* lut)
{
    const Halves table = MakeHalves(lut);
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i index = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        if (Below16(index))
            Store16(table, index, dest + i);
        else
            ConvertScalar(dest + i, source + i, 16, lut);
    }
    ConvertScalar(dest + i, source + i, count - i, lut);
}

__attribute__((target("avx2"))) void DoubleAvx2(uint32_t* dest, const uint8_t* source, int count, const uint32_t* lut)
{
    const Halves table = MakeHalves(lut);
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i eight = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(source + i / 2));
        if (Below16(eight))
            Store16(table, _mm_unpacklo_epi8(eight, eight), dest + i);
        else
            DoubleScalar(dest + i, source + i / 2, 16, lut);
    }
    DoubleScalar(dest + i, source + i / 2, count - i, lut);
}

#endif

// The widest path the processor offers is taken, unless a test set a
// narrower limit.
GdiRowPath limit = GdiRowPath::Avx2;

bool HasSsse3()
{
    return GdiRowPathOffered(GdiRowPath::Ssse3) && limit >= GdiRowPath::Ssse3;
}

bool HasAvx2()
{
    return GdiRowPathOffered(GdiRowPath::Avx2) && limit >= GdiRowPath::Avx2;
}

}  // namespace

bool GdiRowPathOffered(GdiRowPath path)
{
#if GDI_ROWS_X86
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return path == GdiRowPath::Scalar || (path == GdiRowPath::Ssse3 && ssse3) || (path == GdiRowPath::Avx2 && avx2);
#else
    return path == GdiRowPath::Scalar;
#endif
}

void GdiLimitRowPath(GdiRowPath widest)
{
    limit = widest;
}

void GdiConvertRow8To32(uint32_t* dest, const uint8_t* source, int count, const uint32_t* lut)
{
#if GDI_ROWS_X86
    if (count >= 16 && HasAvx2()) {
        ConvertAvx2(dest, source, count, lut);
        return;
    }
    if (count >= 16 && HasSsse3()) {
        ConvertSsse3(dest, source, count, lut);
        return;
    }
#endif
    ConvertScalar(dest, source, count, lut);
}

void GdiConvertRow8To32Doubled(uint32_t* dest, const uint8_t* source, int count, bool startOdd, const uint32_t* lut)
{
    if (count <= 0)
        return;
    if (startOdd) {
        // The second half of the first source pixel.
        *dest++ = lut[*source++];
        --count;
    }
#if GDI_ROWS_X86
    if (count >= 16 && HasAvx2()) {
        DoubleAvx2(dest, source, count, lut);
        return;
    }
    if (count >= 32 && HasSsse3()) {
        DoubleSsse3(dest, source, count, lut);
        return;
    }
#endif
    DoubleScalar(dest, source, count, lut);
}

void GdiOrRow32(uint32_t* dest, const uint32_t* source, int count)
{
    int i = 0;
#if defined(__SSE2__)
    for (; i + 4 <= count; i += 4) {
        __m128i* out = reinterpret_cast<__m128i*>(dest + i);
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        _mm_storeu_si128(out, _mm_or_si128(_mm_loadu_si128(out), in));
    }
#endif
    for (; i < count; ++i)
        dest[i] |= source[i];
}

void GdiDoubleRow32(uint32_t* dest, const uint32_t* source, int count, bool startOdd)
{
    if (count <= 0)
        return;
    if (startOdd) {
        *dest++ = *source++;
        --count;
    }
    int i = 0;
#if defined(__SSE2__)
    for (; i + 8 <= count; i += 8) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i / 2));
        __m128i* out = reinterpret_cast<__m128i*>(dest + i);
        _mm_storeu_si128(out, _mm_unpacklo_epi32(in, in));
        _mm_storeu_si128(out + 1, _mm_unpackhi_epi32(in, in));
    }
#endif
    for (; i < count; ++i)
        dest[i] = source[i >> 1];
}
