// The system menu as a modal popup.
//
// The menu runs its own loop: it takes the keyboard and mouse messages
// from the queue as the system delivers them (keys already queued when it
// opened come first) and the popup's own mouse events; other messages wait
// in the queue until it closes. Up / Down move, Home / End go to the ends,
// Enter chooses, Esc or Alt closes, a mnemonic letter chooses its item; a
// click on an item chooses it and a click in a window outside closes the
// menu and goes on to that window. The chosen item is posted to the window
// as WM_SYSCOMMAND.
#include "text/glyphs.h"
#include "user/menu_view.h"

namespace {
char popupCookie;  // the popup's owner cookie for backend events

struct Tracking {
    HWND owner;
    MenuView view;
    BackendWindow* popup;
    int x;
    int y;
    bool done;
    bool redraw;
    UINT chosen;
    LPARAM chosenAt;
};
Tracking* tracking;

TextFace* menuFace;
bool menuFaceTried;

TextFace* MenuFace()
{
    if (!menuFaceTried) {
        menuFaceTried = true;
        menuFace = TextOpenFace("ＭＳ Ｐゴシック", 12);
    }
    return menuFace;
}

bool Selectable(const MenuView& view, int index)
{
    return index >= 0 && index < static_cast<int>(view.entries.size()) &&
           !(view.entries[static_cast<size_t>(index)].item.flags & MF_SEPARATOR);
}

// The next selectable entry from `from` in direction `step`, wrapping.
int Next(const MenuView& view, int from, int step)
{
    int count = static_cast<int>(view.entries.size());
    int index = from;
    for (int i = 0; i < count; ++i) {
        index = index < 0 && step < 0 ? count - 1 : (index + step + count) % count;
        if (Selectable(view, index))
            return index;
    }
    return -1;
}

void Select(Tracking* t, int index)
{
    if (!Selectable(t->view, index))
        index = -1;
    if (t->view.selected != index) {
        t->view.selected = index;
        t->redraw = true;
    }
}

void Choose(Tracking* t, int index, LPARAM at)
{
    if (!Selectable(t->view, index) || !t->view.entries[static_cast<size_t>(index)].enabled)
        return;
    t->chosen = t->view.entries[static_cast<size_t>(index)].item.id;
    t->chosenAt = at;
    t->done = true;
}

void Mnemonic(Tracking* t, UINT key)
{
    int first = -1, count = 0, after = -1;
    for (size_t i = 0; i < t->view.entries.size(); ++i) {
        const MenuEntry& entry = t->view.entries[i];
        if ((entry.item.flags & MF_SEPARATOR) || MenuMnemonic(entry.item.text) != static_cast<char>(key))
            continue;
        if (first < 0)
            first = static_cast<int>(i);
        if (after < 0 && static_cast<int>(i) > t->view.selected)
            after = static_cast<int>(i);
        ++count;
    }
    if (count == 1) {
        Select(t, first);
        Choose(t, first, 0);
    } else if (count > 1) {
        Select(t, after >= 0 ? after : first);  // several: cycle through them
    }
}

void Key(Tracking* t, UINT key)
{
    switch (key) {
    case VK_UP:
        Select(t, Next(t->view, t->view.selected, -1));
        break;
    case VK_DOWN:
        Select(t, Next(t->view, t->view.selected, 1));
        break;
    case VK_HOME:
        Select(t, Next(t->view, -1, 1));
        break;
    case VK_END:
        Select(t, Next(t->view, -1, -1));
        break;
    case VK_RETURN:
        Choose(t, t->view.selected, 0);
        break;
    case VK_ESCAPE:
    case VK_MENU:
    case VK_F10:
        t->done = true;
        break;
    default:
        if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
            Mnemonic(t, key);
        break;
    }
}

void Input(Tracking* t, const MSG& msg)
{
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Key(t, static_cast<UINT>(msg.wParam));
        break;
    default:
        break;
    }
}

void BuildView(Tracking* t, const Window* window)
{
    // Minimize is greyed where the window cannot be minimised.
    bool canMinimize = (window->style & WS_MINIMIZEBOX) && !window->minimized;
    for (const MenuItem& item : window->systemMenu) {
        bool grayed = item.id == SC_MINIMIZE && !canMinimize;
        t->view.entries.push_back(MenuEntry{item, !grayed, grayed, 0, 0});
    }
    t->view.face = MenuFace();
    t->view.selected = -1;
    MenuViewLayout(&t->view);
}

void Run(Tracking* t)
{
    while (!t->done && UserGetWindow(t->owner) && !QueueQuitPending(nullptr)) {
        if (t->redraw) {
            MenuViewDraw(&t->view);
            BackendPresent(t->popup, t->view.pixels.data(), t->view.width, t->view.height);
            t->redraw = false;
        }
        UserPresentWindows();
        QueueEntry entry;
        if (QueueTakeInput(&entry, nullptr, 0, 0, false)) {
            // A click outside ends the menu and stays for its window.
            if (entry.msg.message == WM_LBUTTONDOWN || entry.msg.message == WM_RBUTTONDOWN) {
                t->done = true;
                break;
            }
            QueueTakeInput(&entry, nullptr, 0, 0, true);
            Input(t, entry.msg);
            continue;
        }
        if (UserPumpEvents() > 0)
            continue;
        if (!UserWaitEvents())
            break;
    }
}
}  // namespace

bool UserMenuOpen()
{
    return tracking != nullptr;
}

HWND UserMenuOwner()
{
    return tracking ? tracking->owner : nullptr;
}

bool UserMenuTakeEvent(const BackendEvent& event)
{
    if (!tracking || event.owner != &popupCookie)
        return false;
    if (event.type == BackendEventType::KeyDown || event.type == BackendEventType::KeyUp ||
        event.type == BackendEventType::Text)
        return false;  // keys reach the menu through the queue
    Tracking* t = tracking;
    int index = MenuViewEntryAt(t->view, event.x, event.y);
    switch (event.type) {
    case BackendEventType::MouseMove:
    case BackendEventType::ButtonDown:
        Select(t, index);
        break;
    case BackendEventType::ButtonUp:
        Choose(t, index, MAKELPARAM(t->x + event.x, t->y + event.y));
        break;
    case BackendEventType::Exposed:
        t->redraw = true;
        break;
    default:
        break;
    }
    return true;
}

void UserTrackSystemMenu(HWND handle, int x, int y, bool byKeyboard)
{
    if (tracking || !GetSystemMenu(handle, FALSE))
        return;
    Window* window = UserGetWindow(handle);
    Tracking t{};
    t.owner = handle;
    BuildView(&t, window);
    // Kept on the screen.
    int screenWidth = UserScreenWidth(), screenHeight = UserScreenHeight();
    x = x + t.view.width > screenWidth ? screenWidth - t.view.width : x;
    y = y + t.view.height > screenHeight ? screenHeight - t.view.height : y;
    t.x = x < 0 ? 0 : x;
    t.y = y < 0 ? 0 : y;
    t.popup = BackendCreatePopup(&popupCookie, t.x, t.y, t.view.width, t.view.height);
    if (!t.popup)
        return;
    // Opened from the keyboard, the first item is selected.
    t.view.selected = byKeyboard ? Next(t.view, -1, 1) : -1;
    t.redraw = true;
    tracking = &t;
    Run(&t);
    tracking = nullptr;
    BackendDestroyWindow(t.popup);
    // The popup may have held the keyboard focus: give it back.
    if ((window = UserGetWindow(handle)) != nullptr && window->visible && !window->minimized &&
        UserActiveWindow() == handle)
        BackendFocusWindow(window->backend);
    if (t.chosen && UserGetWindow(handle))
        PostMessageA(handle, WM_SYSCOMMAND, t.chosen, t.chosenAt);
}
