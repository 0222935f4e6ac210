// Windows: the handle table, creation and destruction, the window style.
//
// CreateWindowExA makes top-level windows only: a WS_CHILD window cannot
// be created with it, and the parent given to it is the new window's
// owner. Child windows are the dialog manager's controls (UserCreateWindow):
// they have no system window and no pixels, their parent draws them, and
// their rects are kept in screen coordinates like every window's. A window
// is destroyed with the windows it owns and its children.
#include <string.h>

#include <algorithm>

#include "text/glyphs.h"
#include "user/user_private.h"

namespace {
constexpr int kMaxWindows = 256;
constexpr DWORD kErrorChildWithoutParent = 1406;  // ERROR_TLW_WITH_WSCHILD
Window* slots[kMaxWindows];
uint16_t generations[kMaxWindows];
// One past the highest slot ever used: the scans of every queue call, in
// a loop that polls, stop there. Slots are taken lowest first.
int slotsInUse;

void Place(int index, Window* window)
{
    slots[index] = window;
    if (index >= slotsInUse)
        slotsInUse = index + 1;
}

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

// Releases everything the window owns, sending nothing; its children stay.
void Free(Window* window)
{
    HWND handle = window->handle;
    if (Window* parent = UserGetWindow(window->parent)) {
        std::vector<HWND>& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
    }
    slots[SlotOf(handle)] = nullptr;
    if (window->dc)
        GdiDestroyWindowDc(window->dc);
    BackendDestroyWindow(window->backend);
    UserFreePixels(window);
    QueueRemoveWindow(handle);
    delete window;
}

// The window and, innermost last, its children.
void FreeTree(HWND handle)
{
    Window* window = UserGetWindow(handle);
    if (!window)
        return;
    while (!window->children.empty()) {
        HWND child = window->children.back();
        if (UserGetWindow(child))
            FreeTree(child);
        else
            window->children.pop_back();
    }
    Free(window);
}

// WM_DESTROY to the window, then to its children, as Windows sends it.
void SendDestroy(HWND handle)
{
    SendMessageA(handle, WM_DESTROY, 0, 0);
    Window* window = UserGetWindow(handle);
    if (!window)
        return;
    std::vector<HWND> children = window->children;
    for (HWND child : children) {
        Window* inner = UserGetWindow(child);
        if (inner && !inner->destroying) {
            inner->destroying = true;
            SendDestroy(child);
        }
    }
}

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

Window* NewWindow(int index, const WindowClass* windowClass, LPCSTR name, DWORD style, DWORD exStyle)
{
    Window* window = new Window{};
    window->handle = HandleFor(index);
    window->windowClass = windowClass;
    window->proc = windowClass->info.lpfnWndProc;
    window->style = style;
    window->exStyle = exStyle;
    if (name && !IS_INTRESOURCE(name))
        window->text = name;
    return window;
}

// WM_CREATE; false when the window is gone or refused to be created (the
// window is then freed).
bool SendCreate(HWND handle, CREATESTRUCTA* create)
{
    LRESULT created = SendMessageA(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(create));
    Window* window = UserGetWindow(handle);
    if (!window)
        return false;  // destroyed while it was being created
    if (created == -1) {
        FreeTree(handle);
        return false;
    }
    return true;
}

HWND CreateChild(const WindowClass* windowClass, DWORD exStyle, LPCSTR name, DWORD style, int x, int y, int width,
                 int height, HWND parentHandle, HMENU menu, HINSTANCE instance, LPVOID param)
{
    Window* parent = UserGetWindow(parentHandle);
    if (!parent) {
        SetLastError(kErrorChildWithoutParent);
        return nullptr;
    }
    int index = FreeSlot();
    if (index < 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Window* window = NewWindow(index, windowClass, name, style & ~(WS_MINIMIZE | WS_MAXIMIZE), exStyle);
    window->parent = parentHandle;
    window->id = static_cast<int>(reinterpret_cast<intptr_t>(menu));
    width = Clamp(width, 0, kMaxClientSize);
    height = Clamp(height, 0, kMaxClientSize);
    int left = parent->client.left + x, top = parent->client.top + y;
    window->client = window->outer = RECT{left, top, left + width, top + height};
    window->visible = (style & WS_VISIBLE) != 0;
    Place(index, window);
    parent->children.push_back(window->handle);
    HWND handle = window->handle;

    CREATESTRUCTA create{param,
                         instance,
                         menu,
                         parentHandle,
                         height,
                         width,
                         y,
                         x,
                         static_cast<LONG>(style),
                         name,
                         windowClass->name.c_str(),
                         exStyle};
    if (!SendCreate(handle, &create))
        return nullptr;
    window = UserGetWindow(handle);
    SendMessageA(handle, WM_SIZE, kSizeRestored,
                 MAKELPARAM(window->client.right - window->client.left, window->client.bottom - window->client.top));
    if ((window = UserGetWindow(handle)) != nullptr)
        SendMessageA(handle, WM_MOVE, 0, MAKELPARAM(x, y));
    if ((window = UserGetWindow(handle)) == nullptr)
        return nullptr;
    if (window->visible)
        UserInvalidate(window, nullptr, true);
    return handle;
}

HWND CreateTopLevel(const WindowClass* windowClass, DWORD exStyle, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
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

    Window* window = NewWindow(index, windowClass, windowName, effectiveStyle, exStyle);
    window->owner = UserRootWindow(parent);
    if (!UserAllocatePixels(window, clientWidth, clientHeight)) {
        delete window;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Place(index, window);
    HWND handle = window->handle;

    char title[1024];
    UserToUtf8(window->text.c_str(), title, sizeof title);
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
    window->outer =
        RECT{x, y, x + clientWidth + insets.left + insets.right, y + clientHeight + insets.top + insets.bottom};
    window->client = RECT{clientX, clientY, clientX + clientWidth, clientY + clientHeight};
    UserApplyFrame(window);
    UserApplyClassCursor(windowClass->info.hCursor);
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
                         windowClass->name.c_str(),
                         exStyle};
    if (!SendCreate(handle, &create))
        return nullptr;
    window = UserGetWindow(handle);
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
    return slotsInUse;
}

void UserDestroyAllWindows()
{
    for (Window* window : slots) {
        if (window)
            Free(window);
    }
}

HWND UserCreateWindow(const WindowClass* windowClass, DWORD exStyle, LPCSTR name, DWORD style, int x, int y, int width,
                      int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    if (style & WS_CHILD)
        return CreateChild(windowClass, exStyle, name, style, x, y, width, height, parent, menu, instance, param);
    return CreateTopLevel(windowClass, exStyle, name, style, x, y, width, height, parent, menu, instance, param);
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                            int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
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
    return CreateTopLevel(windowClass, exStyle, windowName, style, x, y, width, height, parent, menu, instance, param);
}

// Destroys the windows it owns first; then sends WM_DESTROY to it and its
// children and releases them. Messages still queued for them are dropped;
// nothing is posted.
BOOL WINAPI DestroyWindow(HWND handle)
{
    Window* window = UserGetWindow(handle);
    if (!window || window->destroying) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    window->destroying = true;
    for (Window* owned : slots) {
        if (owned && owned->owner == handle && !owned->destroying)
            DestroyWindow(owned->handle);
    }
    if ((window = UserGetWindow(handle)) == nullptr)
        return TRUE;
    if (window->visible) {
        if (window->parent)
            UserInvalidate(window, nullptr, true);  // its place in the parent
        else
            BackendShowWindow(window->backend, false);
        window->visible = false;
        window->style &= ~WS_VISIBLE;
    }
    HWND focus = UserFocusWindow();
    if (UserActiveWindow() == handle)
        UserActivate(nullptr);
    else if (focus && (focus == handle || UserIsDescendant(handle, focus)))
        UserSetFocus(window->parent);
    SendDestroy(handle);
    FreeTree(handle);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND window)
{
    return UserGetWindow(window) != nullptr;
}

namespace {
// Only GWL_STYLE: classes carry no window extra bytes, and the extended
// style is the layer's own business. Null, with the error set, otherwise.
Window* StyleOf(HWND handle, int index)
{
    Window* window = UserGetWindow(handle);
    if (!window)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    else if (index != GWL_STYLE)
        SetLastError(kErrorInvalidIndex);
    return window && index == GWL_STYLE ? window : nullptr;
}
}  // namespace

LONG WINAPI GetWindowLongA(HWND handle, int index)
{
    Window* window = StyleOf(handle, index);
    return window ? static_cast<LONG>(window->style) : 0;
}

// A new style takes effect at once for visibility and the system's
// decoration; the frame's metrics apply from the next SetWindowPos
// (SWP_FRAMECHANGED), as on Windows.
LONG WINAPI SetWindowLongA(HWND handle, int index, LONG value)
{
    Window* window = StyleOf(handle, index);
    if (!window)
        return 0;
    DWORD old = window->style;
    DWORD style = (static_cast<DWORD>(value) & ~WS_MINIMIZE) | (window->minimized ? WS_MINIMIZE : 0);
    window->style = style;
    constexpr DWORD kFrameStyles =
        WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    if ((style ^ old) & kFrameStyles)
        UserApplyFrame(window);
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

void UserApplyFrame(Window* window)
{
    if (window->parent || !window->backend)
        return;
    DWORD style = window->style;
    Window* owner = UserGetWindow(window->owner);
    BackendFrame frame{};
    frame.caption = (style & WS_CAPTION) == WS_CAPTION;
    frame.border = (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) != 0;
    frame.systemMenu = frame.caption && (style & WS_SYSMENU);
    frame.minimizeBox = frame.systemMenu && (style & WS_MINIMIZEBOX);
    frame.maximizeBox = frame.systemMenu && (style & WS_MAXIMIZEBOX);
    frame.sizeable = (style & WS_THICKFRAME) != 0;
    frame.modalFrame = (window->exStyle & WS_EX_DLGMODALFRAME) != 0;
    frame.dialog = owner != nullptr && frame.caption;
    BackendSetFrame(window->backend, frame, owner ? owner->backend : nullptr);
}
