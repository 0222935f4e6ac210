// Writes the images of a 16-colour .ico file as PNG files, so the icons
// installed for desktops are made from the very icon the program carries.
// Usage: ico2png ICON.ico IMAGE OUT.png [IMAGE OUT.png ...]
// IMAGE is the size of an image in the icon, SIZE or SIZE@SCALE: with a
// scale each pixel becomes a SCALE x SCALE block, so pixel art stays crisp
// at the large sizes desktops ask for.
// Only what the game's icons use is read: 4-bit images with an AND mask.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

namespace {
std::vector<uint8_t> ReadFile(const char* path)
{
    std::vector<uint8_t> bytes;
    FILE* f = fopen(path, "rb");
    if (!f)
        return bytes;
    uint8_t buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(f);
    return bytes;
}

uint32_t Le32(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint32_t Crc(const uint8_t* data, size_t length, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data)
{
    Put32(png, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    Put32(png, Crc(body.data(), body.size()));
}

// RGBA rows, each with filter byte 0, in stored (uncompressed) deflate
// blocks inside a zlib stream: a tiny icon needs no compression.
std::vector<uint8_t> Zlib(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
        out.push_back(at + n == raw.size() ? 1 : 0);
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(static_cast<uint8_t>(n >> 8));
        out.push_back(static_cast<uint8_t>(~n));
        out.push_back(static_cast<uint8_t>(~n >> 8));
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + n);
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    Put32(out, b << 16 | a);
    return out;
}

bool WritePng(const char* path, int size, const std::vector<uint8_t>& rgba)
{
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    Put32(header, size);
    Put32(header, size);
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
    Chunk(png, "IHDR", header);
    std::vector<uint8_t> raw;
    for (int y = 0; y < size; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgba.begin() + y * size * 4, rgba.begin() + (y + 1) * size * 4);
    }
    Chunk(png, "IDAT", Zlib(raw));
    Chunk(png, "IEND", {});
    FILE* f = fopen(path, "wb");
    if (!f)
        return false;
    bool ok = fwrite(png.data(), 1, png.size(), f) == png.size();
    return fclose(f) == 0 && ok;
}

// The image of the given size, as RGBA top row first; empty if absent.
std::vector<uint8_t> Decode(const std::vector<uint8_t>& ico, int size)
{
    if (ico.size() < 6)
        return {};
    int count = ico[4] | ico[5] << 8;
    for (int i = 0; i < count; ++i) {
        const uint8_t* entry = ico.data() + 6 + 16 * i;
        if (6 + 16 * (i + 1) > static_cast<int>(ico.size()) || (entry[0] ? entry[0] : 256) != size)
            continue;
        uint32_t offset = Le32(entry + 12);
        if (offset + 40 + 64 > ico.size())
            return {};
        const uint8_t* dib = ico.data() + offset;
        if (dib[14] != 4)
            return {};  // 4 bits a pixel only
        const uint8_t* palette = dib + 40;
        const uint8_t* pixels = palette + 64;
        int stride = ((size * 4 + 31) / 32) * 4;
        int maskStride = ((size + 31) / 32) * 4;
        const uint8_t* mask = pixels + stride * size;
        if (mask + maskStride * size > ico.data() + ico.size())
            return {};
        std::vector<uint8_t> rgba(size * size * 4);
        for (int y = 0; y < size; ++y) {
            int row = size - 1 - y;  // bottom-up
            for (int x = 0; x < size; ++x) {
                uint8_t pair = pixels[row * stride + x / 2];
                int index = x % 2 ? pair & 15 : pair >> 4;
                bool clear = mask[row * maskStride + x / 8] & (0x80 >> (x % 8));
                uint8_t* out = &rgba[(y * size + x) * 4];
                out[0] = palette[index * 4 + 2];
                out[1] = palette[index * 4 + 1];
                out[2] = palette[index * 4];
                out[3] = clear ? 0 : 255;
            }
        }
        return rgba;
    }
    return {};
}

// SIZE or SIZE@SCALE; false if it is neither.
bool ParseImage(const char* text, int* size, int* scale)
{
    char* end;
    *size = static_cast<int>(strtol(text, &end, 10));
    *scale = 1;
    if (*end == '@')
        *scale = static_cast<int>(strtol(end + 1, &end, 10));
    return *end == '\0' && *size > 0 && *scale >= 1 && *scale <= 16;
}

// Each pixel as a scale x scale block.
std::vector<uint8_t> Enlarge(const std::vector<uint8_t>& rgba, int size, int scale)
{
    int large = size * scale;
    std::vector<uint8_t> out(static_cast<size_t>(large) * large * 4);
    for (int y = 0; y < large; ++y) {
        for (int x = 0; x < large; ++x)
            memcpy(&out[(y * large + x) * 4], &rgba[(y / scale * size + x / scale) * 4], 4);
    }
    return out;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc % 2 != 0) {
        fputs("usage: ico2png ICON.ico SIZE[@SCALE] OUT.png [SIZE[@SCALE] OUT.png ...]\n", stderr);
        return 2;
    }
    std::vector<uint8_t> ico = ReadFile(argv[1]);
    for (int i = 2; i + 1 < argc; i += 2) {
        int size, scale;
        if (!ParseImage(argv[i], &size, &scale)) {
            fprintf(stderr, "ico2png: %s is not SIZE or SIZE@SCALE\n", argv[i]);
            return 2;
        }
        std::vector<uint8_t> rgba = Decode(ico, size);
        if (!rgba.empty() && scale > 1)
            rgba = Enlarge(rgba, size, scale);
        if (rgba.empty() || !WritePng(argv[i + 1], size * scale, rgba)) {
            fprintf(stderr, "ico2png: no %d x %d image written from %s\n", size * scale, size * scale, argv[1]);
            return 1;
        }
    }
    return 0;
}
