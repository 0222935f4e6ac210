// Window classes.
//
// Classes are registered per process, by name (case does not matter); the
// instance handle is not part of a class's identity. Classes carry no extra
// bytes.
#include <memory>
#include <strings.h>

#include "user/user_private.h"

namespace {
std::vector<std::unique_ptr<WindowClass>> classes;
ATOM nextAtom = 0xC000;
}  // namespace

const WindowClass* UserFindClass(LPCSTR name)
{
    if (!name || IS_INTRESOURCE(name))
        return nullptr;
    for (const auto& entry : classes) {
        if (strcasecmp(entry->name.c_str(), name) == 0)
            return entry.get();
    }
    return nullptr;
}

void UserResetClasses()
{
    classes.clear();
    nextAtom = 0xC000;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass)
{
    if (!windowClass || !windowClass->lpszClassName || IS_INTRESOURCE(windowClass->lpszClassName) ||
        !windowClass->lpfnWndProc || windowClass->cbClsExtra != 0 || windowClass->cbWndExtra != 0 ||
        windowClass->lpszClassName[0] == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (UserFindClass(windowClass->lpszClassName)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    if (nextAtom == 0xFFFF) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    auto entry = std::make_unique<WindowClass>();
    entry->name = windowClass->lpszClassName;
    entry->atom = nextAtom++;
    entry->info = *windowClass;
    entry->info.lpszClassName = entry->name.c_str();
    entry->info.lpszMenuName = nullptr;
    classes.push_back(std::move(entry));
    return classes.back()->atom;
}
