// Windows: the handle table, creation and destruction, window longs.
//
// Only top-level windows exist: a WS_CHILD window cannot be created. An
// owner passed as the parent is accepted and ignored.
#include <string.h>

#include "text/glyphs.h"
#include "user/user_private.h"

namespace {
constexpr int kMaxWindows = 256;
Window* slots[kMaxWindows];
uint16_t generations[kMaxWindows];

int FreeSlot()
{
    for (int i = 0; i < kMaxWindows; ++i) {
        if (!slots[i])
            return i;
    }
    return -1;
}

HWND HandleFor(int index)
{
    if (++generations[index] == 0)
        generations[index] = 1;
    // Slot in the low 12 bits, generation above: a stale handle stays
    // invalid after its slot is reused.
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(generations[index]) << 12 | static_cast<uintptr_t>(index + 1));
}

int SlotOf(HWND window)
{
    return static_cast<int>((reinterpret_cast<uintptr_t>(window) & 0xFFF) - 1);
}

// Releases everything the window owns, sending nothing.
void Free(Window* window)
{
    HWND handle = window->handle;
    slots[SlotOf(handle)] = nullptr;
    if (window->dc)
        GdiDestroyWindowDc(window->dc);
    BackendDestroyWindow(window->backend);
    UserFreePixels(window);
    QueueRemoveWindow(handle);
    delete window;
}

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}
}  // namespace

size_t UserToUtf8(const char* cp932, char* out, size_t capacity)
{
    out[0] = '\0';
    if (!cp932)
        return 0;
    return TextCp932ToUtf8(cp932, strlen(cp932), out, capacity);
}

Window* UserGetWindow(HWND window)
{
    uintptr_t value = reinterpret_cast<uintptr_t>(window);
    if (value == 0 || value > 0x0FFFFFFF)
        return nullptr;
    int index = SlotOf(window);
    if (index < 0 || index >= kMaxWindows || !slots[index] || slots[index]->handle != window)
        return nullptr;
    return slots[index];
}

Window* UserWindowAt(int index)
{
    return index >= 0 && index < kMaxWindows ? slots[index] : nullptr;
}

int UserWindowSlots()
{
    return kMaxWindows;
}

void UserDestroyAllWindows()
{
    for (Window* window : slots) {
        if (window)
            Free(window);
    }
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    const WindowClass* windowClass = UserFindClass(className);
    if (!windowClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    if (style & WS_CHILD) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return nullptr;
    }
    int index = FreeSlot();
    if (index < 0 || !BackendInitVideo()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }

    // As Windows corrects them: top-level windows clip their siblings and
    // overlapped ones always have a caption.
    DWORD effectiveStyle = (style | WS_CLIPSIBLINGS) & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    if (!(style & WS_POPUP))
        effectiveStyle |= WS_CAPTION;
    if (effectiveStyle & (WS_DLGFRAME | WS_THICKFRAME))
        exStyle |= kWsExWindowEdge;
    else
        exStyle &= ~kWsExWindowEdge;

    // CW_USEDEFAULT: overlapped windows are placed by the system and get
    // three quarters of the screen; popups go to the corner with no size.
    bool systemPlaced = false;
    if (x == CW_USEDEFAULT) {
        if (style & WS_POPUP)
            x = y = 0;
        else
            systemPlaced = true;
    }
    if (width == CW_USEDEFAULT) {
        bool popup = (style & WS_POPUP) != 0;
        width = popup ? 0 : UserScreenWidth() * 3 / 4;
        height = popup ? 0 : UserScreenHeight() * 3 / 4;
    }
    RECT insets = UserFrameInsets(effectiveStyle, exStyle, false);
    int clientWidth = Clamp(width - insets.left - insets.right, 0, kMaxClientSize);
    int clientHeight = Clamp(height - insets.top - insets.bottom, 0, kMaxClientSize);

    Window* window = new Window{};
    window->handle = HandleFor(index);
    window->windowClass = windowClass;
    window->proc = windowClass->info.lpfnWndProc;
    window->style = effectiveStyle;
    window->exStyle = exStyle;
    window->extraBytes.assign(static_cast<size_t>(windowClass->info.cbWndExtra), 0);
    if (!UserAllocatePixels(window, clientWidth, clientHeight)) {
        delete window;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    slots[index] = window;
    HWND handle = window->handle;

    char title[1024];
    UserToUtf8(windowName, title, sizeof title);
    int clientX = x + insets.left;
    int clientY = y + insets.top;
    window->backend = BackendCreateWindow(handle, title, clientX, clientY, systemPlaced, clientWidth, clientHeight,
                                          (effectiveStyle & WS_CAPTION) == WS_CAPTION);
    if (!window->backend) {
        Free(window);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (systemPlaced) {
        BackendGetWindowPosition(window->backend, &clientX, &clientY);
        x = clientX - insets.left;
        y = clientY - insets.top;
    }
    window->outer = RECT{x, y, x + clientWidth + insets.left + insets.right,
                         y + clientHeight + insets.top + insets.bottom};
    window->client = RECT{clientX, clientY, clientX + clientWidth, clientY + clientHeight};
    if (UserIsArrowCursor(windowClass->info.hCursor))
        BackendArrowCursor(true);
    if (const UserIconImage* icon = UserIconOf(windowClass->info.hIcon))
        BackendSetIcon(window->backend, icon->argb.data(), icon->width, icon->height);

    CREATESTRUCTA create{param,
                         instance,
                         menu,
                         parent,
                         window->outer.bottom - window->outer.top,
                         window->outer.right - window->outer.left,
                         window->outer.top,
                         window->outer.left,
                         static_cast<LONG>(style),
                         windowName,
                         className,
                         exStyle};
    LRESULT created = SendMessageA(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create));
    window = UserGetWindow(handle);
    if (!window)
        return nullptr;  // destroyed while it was being created
    if (created == -1) {
        Free(window);
        return nullptr;
    }
    // Overlapped windows hear their size at the first ShowWindow, popups now.
    window->needSize = !(style & WS_POPUP);
    if (!window->needSize) {
        SendMessageA(handle, WM_SIZE, kSizeRestored, MAKELPARAM(clientWidth, clientHeight));
        if ((window = UserGetWindow(handle)) != nullptr)
            SendMessageA(handle, WM_MOVE, 0, MAKELPARAM(window->client.left, window->client.top));
        if (!UserGetWindow(handle))
            return nullptr;
    }
    if (style & WS_VISIBLE)
        ShowWindow(handle, (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOW);
    return UserGetWindow(handle) ? handle : nullptr;
}

// Sends WM_DESTROY, then releases the system window and the DC. Messages
// still queued for the window are dropped; nothing is posted.
BOOL WINAPI DestroyWindow(HWND handle)
{
    Window* window = UserGetWindow(handle);
    if (!window || window->destroying) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    window->destroying = true;
    if (window->visible) {
        window->visible = false;
        window->style &= ~WS_VISIBLE;
        BackendShowWindow(window->backend, false);
    }
    if (UserActiveWindow() == handle)
        UserActivate(nullptr);
    SendMessageA(handle, WM_DESTROY, 0, 0);
    if ((window = UserGetWindow(handle)) != nullptr)
        Free(window);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND window)
{
    return UserGetWindow(window) != nullptr;
}

LONG WINAPI GetWindowLongA(HWND handle, int index)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (index == GWL_STYLE)
        return static_cast<LONG>(window->style);
    if (index == GWL_EXSTYLE)
        return static_cast<LONG>(window->exStyle);
    if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG) <= window->extraBytes.size()) {
        LONG value;
        memcpy(&value, window->extraBytes.data() + index, sizeof value);
        return value;
    }
    SetLastError(kErrorInvalidIndex);
    return 0;
}

// A new style takes effect at once for visibility and the system's
// decoration; the frame's metrics apply from the next SetWindowPos
// (SWP_FRAMECHANGED), as on Windows.
LONG WINAPI SetWindowLongA(HWND handle, int index, LONG value)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (index == GWL_STYLE) {
        DWORD old = window->style;
        DWORD style = (static_cast<DWORD>(value) & ~WS_MINIMIZE) | (window->minimized ? WS_MINIMIZE : 0);
        window->style = style;
        bool decorated = (style & WS_CAPTION) == WS_CAPTION;
        if (decorated != ((old & WS_CAPTION) == WS_CAPTION))
            BackendSetDecorated(window->backend, decorated);
        bool visible = (style & WS_VISIBLE) != 0;
        if (visible != window->visible) {
            window->visible = visible;
            BackendShowWindow(window->backend, visible);
            if (visible) {
                window->pixels.dirty = true;
                UserInvalidate(window, nullptr, true);
            }
        }
        return static_cast<LONG>(old);
    }
    if (index == GWL_EXSTYLE) {
        DWORD old = window->exStyle;
        window->exStyle = static_cast<DWORD>(value);
        return static_cast<LONG>(old);
    }
    if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG) <= window->extraBytes.size()) {
        LONG old;
        memcpy(&old, window->extraBytes.data() + index, sizeof old);
        memcpy(window->extraBytes.data() + index, &value, sizeof value);
        return old;
    }
    SetLastError(kErrorInvalidIndex);
    return 0;
}
