// The program's module handle. The game is one executable: its module is a
// single process-wide object, the handle every resource lookup starts from.
#include "win32_private.h"

struct HINSTANCE__ {
    int unused;
};

namespace {
HINSTANCE__ programModule;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName)
{
    if (moduleName != nullptr) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return nullptr;
    }
    return &programModule;
}
