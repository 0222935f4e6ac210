// The program's resources: the compiled resource script (.res) that the
// build embeds in the program, looked up by type and id as FindResource
// would. A program built without one has no resources.
#pragma once

#include "win32_private.h"

#include <string.h>

// Resource types (the RT_ ordinals).
constexpr WORD kResourceIcon = 3;
constexpr WORD kResourceDialog = 5;
constexpr WORD kResourceGroupIcon = 14;

// The data of resource `type`/`name` (an ordinal made with
// MAKEINTRESOURCEA; string names are not used by the game and not found),
// any language. Null when there is none; `size` gets its length in bytes.
const BYTE* ResourceFind(WORD type, LPCSTR name, DWORD* size);

// Little-endian fields of resource data, read without alignment.
inline WORD ResourceWord(const BYTE* p)
{
    WORD v;
    memcpy(&v, p, sizeof v);
    return v;
}

inline DWORD ResourceDword(const BYTE* p)
{
    DWORD v;
    memcpy(&v, p, sizeof v);
    return v;
}

// The embedded .res image. The program's build defines these; without
// them the program has no resources.
extern "C" const unsigned char PlatformModuleResources[];
extern "C" const unsigned long PlatformModuleResourcesSize;
