// Checks that a built hiren.exe carries its resources: the four dialog
// templates, both icon groups (each with a 32 x 32 and a 16 x 16 image of
// 16 colours) and the version block. Run under Windows (or wine) with the
// executables to check as arguments; exits with 0 when all are complete.
#include <windows.h>

#include <stdio.h>
#include <string.h>

namespace {
int failures;

void Expect(bool ok, const char* exe, const char* what)
{
    if (!ok) {
        printf("%s: %s\n", exe, what);
        ++failures;
    }
}

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

const void* Find(HMODULE module, int id, LPCWSTR type, DWORD* size)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found)
        return nullptr;
    *size = SizeofResource(module, found);
    return LockResource(LoadResource(module, found));
}

void CheckIconGroup(HMODULE module, const char* exe, int id)
{
    DWORD size = 0;
    auto* header = static_cast<const GroupHeader*>(Find(module, id, MAKEINTRESOURCEW(14), &size));
    Expect(header != nullptr && header->count == 2, exe, "an icon group of two images");
    if (!header || header->count != 2)
        return;
    auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
    bool big = false, small = false;
    for (int i = 0; i < 2; ++i) {
        Expect(entries[i].colours == 16 || entries[i].bitCount == 4, exe, "16-colour icon images");
        big |= entries[i].width == 32 && entries[i].height == 32;
        small |= entries[i].width == 16 && entries[i].height == 16;
        DWORD imageSize = 0;
        Expect(Find(module, entries[i].id, MAKEINTRESOURCEW(3), &imageSize) != nullptr, exe, "the icon image");
    }
    Expect(big && small, exe, "a 32 x 32 and a 16 x 16 image");
}

void CheckVersion(HMODULE module, const char* exe)
{
    DWORD size = 0;
    const void* block = Find(module, 1, MAKEINTRESOURCEW(16), &size);
    Expect(block != nullptr, exe, "the version block");
    if (!block)
        return;
    // VerQueryValue needs a writable copy.
    static BYTE copy[8192];
    if (size > sizeof copy)
        size = sizeof copy;
    memcpy(copy, block, size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    Expect(VerQueryValueW(copy, L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed, exe, "fixed info");
    if (fixed) {
        Expect(fixed->dwFileVersionMS == 0x00000002 && fixed->dwFileVersionLS == 0, exe, "version 0.2.0.0");
        Expect(fixed->dwFileOS == VOS_DOS_WINDOWS32 && fixed->dwFileType == VFT_APP, exe, "OS and type");
    }
    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } strings[] = {
        {L"\\StringFileInfo\\041104E4\\FileVersion", L"0.02"},
        {L"\\StringFileInfo\\041104E4\\ProductName", L"\x907F\x7DF4"},
        {L"\\StringFileInfo\\041104E4\\FileDescription",
         L"\x30B7\x30E5\x30FC\x30C6\x30A3\x30F3\x30B0\x98A8\x30B2\x30FC\x30E0"},
    };
    for (const auto& s : strings) {
        wchar_t* value = nullptr;
        bool ok = VerQueryValueW(copy, s.key, reinterpret_cast<void**>(&value), &length) && value &&
                  wcscmp(value, s.value) == 0;
        Expect(ok, exe, "a version string");
    }
    DWORD* translation = nullptr;
    bool ok = VerQueryValueW(copy, L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length);
    Expect(ok && translation && *translation == MAKELONG(0x0411, 0x04E4), exe, "Japanese with code page 1252");
}
}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        HMODULE module = LoadLibraryExA(argv[i], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        Expect(module != nullptr, argv[i], "can be opened");
        if (!module)
            continue;
        for (int id = 102; id <= 105; ++id) {
            DWORD size = 0;
            Expect(Find(module, id, MAKEINTRESOURCEW(5), &size) != nullptr && size > 24, argv[i], "a dialog template");
        }
        CheckIconGroup(module, argv[i], 100);
        CheckIconGroup(module, argv[i], 101);
        CheckVersion(module, argv[i]);
        FreeLibrary(module);
    }
    printf("%d executables checked, %d problems\n", argc - 1, failures);
    return failures == 0 ? 0 : 1;
}
