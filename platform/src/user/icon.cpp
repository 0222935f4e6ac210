// LoadIconA: icons from the program's resources (RT_GROUP_ICON and its
// RT_ICON images), decoded for the system to show as the window's icon.
//
// As LoadIcon's icons on Windows, an icon is shared: loading it again gives
// the same handle, and it lives as long as the program. Of the system's
// own icons (a null instance) only IDI_QUESTION exists: a question mark of
// our own drawing. Images are DIBs of 1, 4, 8, 24 or 32 bits; a PNG image
// leaves the icon without pixels.
#include <string.h>

#include <memory>

#include "kernel/resource.h"
#include "user/user_private.h"

namespace {
struct LoadedIcon {
    WORD id;
    bool system;
    UserIconImage image;
};
std::vector<std::unique_ptr<LoadedIcon>> icons;

constexpr int kPreferredSize = 32;  // SM_CXICON

// The RT_ICON id of the group's image nearest 32 x 32, the deepest first.
WORD ChooseImage(const BYTE* group, DWORD size)
{
    if (size < 6 || ResourceWord(group + 2) != 1)
        return 0;
    int count = ResourceWord(group + 4);
    WORD best = 0;
    int bestScore = -1;
    for (int i = 0; i < count && 6u + 14u * (i + 1) <= size; ++i) {
        const BYTE* entry = group + 6 + 14 * i;
        int width = entry[0] ? entry[0] : 256;
        int depth = ResourceWord(entry + 6);
        int distance = width > kPreferredSize ? width - kPreferredSize : 2 * (kPreferredSize - width);
        int score = (1000 - distance) * 64 + depth;
        if (score > bestScore) {
            bestScore = score;
            best = ResourceWord(entry + 12);
        }
    }
    return best;
}

// An icon image: a BITMAPINFOHEADER of twice the height, the colour table,
// the colour bits and the 1-bit transparency mask, rows bottom-up.
bool Decode(const BYTE* data, DWORD size, UserIconImage* image)
{
    if (size < 40 || ResourceDword(data) < 40 || ResourceDword(data + 16) != 0)
        return false;  // too short, or compressed (a PNG starts differently)
    DWORD header = ResourceDword(data);
    int width = static_cast<int32_t>(ResourceDword(data + 4));
    int height = static_cast<int32_t>(ResourceDword(data + 8)) / 2;
    int depth = ResourceWord(data + 14);
    if (width <= 0 || height <= 0 || width > 256 || height > 256)
        return false;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32)
        return false;
    size_t colours = depth <= 8 ? (ResourceDword(data + 32) ? ResourceDword(data + 32) : 1u << depth) : 0;
    size_t xorStride = ((static_cast<size_t>(width) * depth + 31) / 32) * 4;
    size_t andStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    size_t xorStart = header + colours * 4;
    size_t andStart = xorStart + xorStride * height;
    if (colours > 256 || andStart + andStride * height > size)
        return false;
    const BYTE* palette = data + header;
    bool alpha = false;
    if (depth == 32) {
        for (size_t i = 0; i < xorStride * height && !alpha; i += 4)
            alpha = data[xorStart + i + 3] != 0;
    }
    image->width = width;
    image->height = height;
    image->argb.assign(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = data + xorStart + xorStride * (height - 1 - y);
        const BYTE* mask = data + andStart + andStride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint32_t rgb;
            uint32_t a = 0xFF;
            if (depth <= 8) {
                int bit = x * depth;
                size_t index = (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
                rgb = index < colours ? ResourceDword(palette + index * 4) & 0xFFFFFF : 0;
            } else {
                const BYTE* p = row + static_cast<size_t>(x) * (depth / 8);
                rgb = p[0] | p[1] << 8 | p[2] << 16;
                if (alpha)
                    a = p[3];
            }
            if (!alpha && (mask[x / 8] >> (7 - x % 8)) & 1)
                a = 0;
            // Blue, green, red in the file; the image is 0xAARRGGBB.
            image->argb[static_cast<size_t>(y) * width + x] = a << 24 | rgb;
        }
    }
    return true;
}

// The system's question icon: a blue disc with a white question mark.
void DrawQuestion(UserIconImage* image)
{
    static const char* const kMark[] = {
        "...######...", "..########..", ".####..####.", ".###....###.", "........###.", ".......####.", "......####..",
        ".....####...", ".....###....", ".....###....", "............", ".....###....", ".....###....", ".....###....",
    };
    constexpr int kSize = kPreferredSize;
    image->width = image->height = kSize;
    image->argb.assign(static_cast<size_t>(kSize) * kSize, 0);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            // Distance from the centre, in half pixels squared.
            int dx = 2 * x + 1 - kSize, dy = 2 * y + 1 - kSize;
            int distance = dx * dx + dy * dy;
            uint32_t& pixel = image->argb[static_cast<size_t>(y) * kSize + x];
            if (distance <= 28 * 28)
                pixel = 0xFF2058D0;  // the disc
            else if (distance <= 31 * 31)
                pixel = 0xFF10307A;  // its rim
        }
    }
    constexpr int kMarkLeft = 10, kMarkTop = 9;
    for (int row = 0; row < static_cast<int>(sizeof kMark / sizeof kMark[0]); ++row) {
        for (int column = 0; kMark[row][column]; ++column) {
            if (kMark[row][column] == '#')
                image->argb[static_cast<size_t>(kMarkTop + row) * kSize + kMarkLeft + column] = 0xFFFFFFFF;
        }
    }
}

HICON SystemIcon(LPCSTR name)
{
    if (name != IDI_QUESTION) {
        SetLastError(kErrorResourceNameNotFound);
        return nullptr;
    }
    WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    for (const auto& loaded : icons) {
        if (loaded->system && loaded->id == id)
            return reinterpret_cast<HICON>(loaded.get());
    }
    auto loaded = std::make_unique<LoadedIcon>();
    loaded->id = id;
    loaded->system = true;
    DrawQuestion(&loaded->image);
    icons.push_back(std::move(loaded));
    return reinterpret_cast<HICON>(icons.back().get());
}
}  // namespace

const UserIconImage* UserIconOf(HICON icon)
{
    for (const auto& loaded : icons) {
        if (reinterpret_cast<HICON>(loaded.get()) == icon)
            return loaded->image.argb.empty() ? nullptr : &loaded->image;
    }
    return nullptr;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name)
{
    if (!instance)
        return SystemIcon(name);
    DWORD size = 0;
    const BYTE* group = instance && IS_INTRESOURCE(name) ? ResourceFind(kResourceGroupIcon, name, &size) : nullptr;
    if (!group) {
        SetLastError(kErrorResourceNameNotFound);
        return nullptr;
    }
    WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    for (const auto& loaded : icons) {
        if (!loaded->system && loaded->id == id)
            return reinterpret_cast<HICON>(loaded.get());
    }
    auto loaded = std::make_unique<LoadedIcon>();
    loaded->id = id;
    loaded->system = false;
    loaded->image = UserIconImage{0, 0, {}};
    DWORD imageSize = 0;
    WORD imageId = ChooseImage(group, size);
    const BYTE* image = imageId ? ResourceFind(kResourceIcon, MAKEINTRESOURCEA(imageId), &imageSize) : nullptr;
    if (!image || !Decode(image, imageSize, &loaded->image))
        loaded->image = UserIconImage{0, 0, {}};
    icons.push_back(std::move(loaded));
    return reinterpret_cast<HICON>(icons.back().get());
}
