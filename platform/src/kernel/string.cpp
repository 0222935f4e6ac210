// KERNEL's string functions.
#include "win32_private.h"

// Copies the NUL-terminated source, NUL included; a null argument gets a
// null result and nothing is written, as Windows answers a fault there.
LPSTR WINAPI lstrcpyA(LPSTR destination, LPCSTR source)
{
    if (destination == nullptr || source == nullptr)
        return nullptr;
    char* out = destination;
    while ((*out++ = *source++) != '\0') {
    }
    return destination;
}
