// Walks the embedded .res image: a run of entries, each a header (data
// size, header size, type, name, then versions, flags and language) and its
// data, every part aligned to 4 bytes. Type and name are either 0xFFFF and
// an ordinal, or a NUL-terminated UTF-16 string.
#include "kernel/resource.h"

#include <string.h>

extern "C" {
__attribute__((weak)) extern const unsigned char PlatformModuleResources[];
__attribute__((weak)) extern const unsigned long PlatformModuleResourcesSize;
}

namespace {
// Reads a type or name field at `p` (within `end`); an ordinal gives its
// value, a string gives 0xFFFFFFFF. Returns the position after the field,
// or null when it runs past the header.
const BYTE* ReadId(const BYTE* p, const BYTE* end, DWORD* id)
{
    if (end - p < 4)
        return nullptr;
    if (ResourceWord(p) == 0xFFFF) {
        *id = ResourceWord(p + 2);
        return p + 4;
    }
    *id = 0xFFFFFFFF;
    while (end - p >= 2) {
        WORD c = ResourceWord(p);
        p += 2;
        if (c == 0)
            return p;
    }
    return nullptr;
}
}  // namespace

const BYTE* ResourceFind(WORD type, LPCSTR name, DWORD* size)
{
    if (&PlatformModuleResources == nullptr || &PlatformModuleResourcesSize == nullptr || !IS_INTRESOURCE(name))
        return nullptr;
    const WORD wanted = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    const BYTE* p = PlatformModuleResources;
    const BYTE* end = p + PlatformModuleResourcesSize;
    while (end - p >= 8) {
        DWORD dataSize = ResourceDword(p);
        DWORD headerSize = ResourceDword(p + 4);
        if (headerSize < 8 || headerSize > static_cast<DWORD>(end - p) ||
            dataSize > static_cast<DWORD>(end - p) - headerSize)
            return nullptr;  // a damaged image: nothing more can be trusted
        const BYTE* headerEnd = p + headerSize;
        DWORD resourceType, resourceName;
        const BYTE* q = ReadId(p + 8, headerEnd, &resourceType);
        q = q ? ReadId(q, headerEnd, &resourceName) : nullptr;
        if (q && resourceType == type && resourceName == wanted) {
            if (size)
                *size = dataSize;
            return headerEnd;
        }
        DWORD step = headerSize + ((dataSize + 3) & ~3u);
        if (step > static_cast<DWORD>(end - p))
            break;
        p += step;
    }
    return nullptr;
}
