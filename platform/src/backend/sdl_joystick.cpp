// SDL backend: joysticks and gamepads for WinMM.
//
// A device SDL knows as a gamepad is read through the game controller API
// (left stick and d-pad, face buttons first), any other as a raw joystick
// (axes 0-2, buttons 0-31, hat 0). WinMM polls: SDL posts no joystick
// events, so none pile up in its queue when nobody reads them.
//
// Gamepads take the slots after every plain joystick: a program that steers
// with the last device that answers (the game does) gets the gamepad,
// whatever else SDL lists as a joystick. Once the program has read a slot,
// devices keep theirs while plugged in (see backend.h).
#include "backend/sdl_backend.h"

namespace {
struct Slot {
    bool used;
    SDL_JoystickID instance;
    SDL_Joystick* joystick;  // a gamepad's own joystick too
    SDL_GameController* controller;
    bool isVirtual;
};

Slot slots[kJoySlots];
bool initTried;
bool initDone;
bool slotsRead;  // the program has read a slot: devices keep theirs
// While a gamepad is attached, WinMM offers two devices, the two whose
// messages reach a program (MM_JOY1*, MM_JOY2*): a plain joystick, or else
// a second gamepad, at id 0 and a gamepad at id 1, so a program that takes
// the last device that answers plays with the gamepad. The devices a
// layout leaves out stay out until every device is unplugged.
constexpr int kOfferedWithGamepad = 2;
SDL_JoystickID leftOut[64];
int leftOutCount;

bool LeftOut(SDL_JoystickID instance)
{
    for (int i = 0; i < leftOutCount; ++i) {
        if (leftOut[i] == instance)
            return true;
    }
    return false;
}

// A gamepad's buttons as WinMM buttons 1, 2, ...
const SDL_GameControllerButton kPadButtons[] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
};
constexpr int kPadButtonCount = sizeof kPadButtons / sizeof kPadButtons[0];
constexpr int kMaxButtons = 32;

void Close(Slot& slot)
{
    if (slot.controller)
        SDL_GameControllerClose(slot.controller);
    else if (slot.joystick)
        SDL_JoystickClose(slot.joystick);
    slot = Slot{};
}

bool Known(SDL_JoystickID instance)
{
    for (const Slot& slot : slots) {
        if (slot.used && slot.instance == instance)
            return true;
    }
    return false;
}

Slot* FreeSlot()
{
    for (Slot& slot : slots) {
        if (!slot.used)
            return &slot;
    }
    return nullptr;
}

void Open(int deviceIndex, SDL_JoystickID instance, Slot* into)
{
    Slot opened{true, instance, nullptr, nullptr, SDL_JoystickIsVirtual(deviceIndex) == SDL_TRUE};
    if (SDL_IsGameController(deviceIndex)) {
        opened.controller = SDL_GameControllerOpen(deviceIndex);
        opened.joystick = opened.controller ? SDL_GameControllerGetJoystick(opened.controller) : nullptr;
    }
    if (!opened.joystick) {
        opened.controller = nullptr;
        opened.joystick = SDL_JoystickOpen(deviceIndex);
    }
    if (opened.joystick)
        *into = opened;
}

// Puts every device SDL lists and no slot holds into the lowest free slot,
// plain joysticks before gamepads. A device already open in `loose` moves
// over from there. A new layout (`fresh`) with a gamepad offers only two
// devices and leaves the others out.
void Place(Slot (&loose)[kJoySlots], bool fresh)
{
    int count = SDL_NumJoysticks();
    int offer = kJoySlots;
    if (fresh) {
        leftOutCount = 0;
        for (int i = 0; i < count; ++i) {
            if (SDL_IsGameController(i) == SDL_TRUE)
                offer = kOfferedWithGamepad;
        }
    }
    bool plainTaken = false;
    int offered = 0;
    for (int pass = 0; pass < 2; ++pass) {
        bool gamepads = pass == 1;
        for (int i = 0; i < count; ++i) {
            SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(i);
            if (instance < 0 || Known(instance) || LeftOut(instance) ||
                (SDL_IsGameController(i) == SDL_TRUE) != gamepads)
                continue;
            // One plain joystick at most beside the gamepad; the gamepad
            // itself always comes in.
            bool take = offer == kJoySlots || (!gamepads && !plainTaken) || (gamepads && offered < offer);
            if (!take) {
                if (leftOutCount < static_cast<int>(sizeof leftOut / sizeof leftOut[0]))
                    leftOut[leftOutCount++] = instance;
                continue;
            }
            Slot* free = FreeSlot();
            if (!free)
                return;
            Slot* open = nullptr;
            for (Slot& slot : loose) {
                if (slot.used && slot.instance == instance)
                    open = &slot;
            }
            if (open) {
                *free = *open;
                *open = Slot{};
            } else {
                Open(i, instance, free);
            }
            plainTaken = plainTaken || !gamepads;
            ++offered;
        }
    }
}

const Slot* SlotAt(int index)
{
    if (index < 0 || index >= kJoySlots || !slots[index].used)
        return nullptr;
    return &slots[index];
}

int SlotOf(SDL_JoystickID instance)
{
    for (int i = 0; i < kJoySlots; ++i) {
        if (slots[i].used && slots[i].instance == instance)
            return i;
    }
    return -1;
}

// The hat's (d-pad's) pull on one axis: -1, 0 or 1.
int Pull(bool negative, bool positive)
{
    return positive ? 1 : negative ? -1 : 0;
}

int Deflect(int axis, int pull)
{
    return pull < 0 ? SDL_JOYSTICK_AXIS_MIN : pull > 0 ? SDL_JOYSTICK_AXIS_MAX : axis;
}

void ReadGamepad(SDL_GameController* pad, JoyReading* out)
{
    int dx = Pull(SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                  SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
    int dy = Pull(SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP),
                  SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    out->x = Deflect(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX), dx);
    out->y = Deflect(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY), dy);
    out->z = 0;
    out->buttons = 0;
    for (int i = 0; i < kPadButtonCount; ++i) {
        if (SDL_GameControllerGetButton(pad, kPadButtons[i]))
            out->buttons |= 1u << i;
    }
}

void ReadJoystick(SDL_Joystick* stick, JoyReading* out)
{
    int axes = SDL_JoystickNumAxes(stick);
    Uint8 hat = SDL_JoystickNumHats(stick) > 0 ? SDL_JoystickGetHat(stick, 0) : SDL_HAT_CENTERED;
    int dx = Pull(hat & SDL_HAT_LEFT, hat & SDL_HAT_RIGHT);
    int dy = Pull(hat & SDL_HAT_UP, hat & SDL_HAT_DOWN);
    out->x = Deflect(axes > 0 ? SDL_JoystickGetAxis(stick, 0) : 0, dx);
    out->y = Deflect(axes > 1 ? SDL_JoystickGetAxis(stick, 1) : 0, dy);
    out->z = axes > 2 ? SDL_JoystickGetAxis(stick, 2) : 0;
    out->buttons = 0;
    int buttons = SDL_min(SDL_JoystickNumButtons(stick), kMaxButtons);
    for (int i = 0; i < buttons; ++i) {
        if (SDL_JoystickGetButton(stick, i))
            out->buttons |= 1u << i;
    }
}

}  // namespace

bool BackendJoyInit(void)
{
    if (initTried)
        return initDone;
    initTried = true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // WinMM reads the sticks whether or not a window of the program has
    // the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0)
        return false;
    SDL_JoystickEventState(SDL_IGNORE);
    SDL_GameControllerEventState(SDL_IGNORE);
    initDone = true;
    return true;
}

void BackendJoyRefresh(void)
{
    if (!BackendJoyInit())
        return;
    SDL_JoystickUpdate();
    bool plugged = false;
    for (Slot& slot : slots) {
        if (slot.used && !SDL_JoystickGetAttached(slot.joystick))
            Close(slot);
        plugged = plugged || slot.used;
    }
    slotsRead = slotsRead && plugged;
    Slot loose[kJoySlots] = {};
    if (!slotsRead) {
        for (int i = 0; i < kJoySlots; ++i) {
            loose[i] = slots[i];
            slots[i] = Slot{};
        }
    }
    Place(loose, !slotsRead);
    for (Slot& slot : loose) {
        if (slot.used)
            Close(slot);  // no longer listed, or no slot left
    }
}

bool BackendJoyRead(int index, JoyReading* out)
{
    slotsRead = true;
    const Slot* slot = SlotAt(index);
    if (!slot || !SDL_JoystickGetAttached(slot->joystick))
        return false;
    if (slot->controller)
        ReadGamepad(slot->controller, out);
    else
        ReadJoystick(slot->joystick, out);
    return true;
}

bool BackendJoyName(int index, char* nameUtf8, size_t capacity)
{
    slotsRead = true;
    const Slot* slot = SlotAt(index);
    if (!slot || !SDL_JoystickGetAttached(slot->joystick))
        return false;
    const char* name = slot->controller ? SDL_GameControllerName(slot->controller) : SDL_JoystickName(slot->joystick);
    SDL_strlcpy(nameUtf8, name ? name : "", capacity);
    return true;
}

SDL_Joystick* SdlJoystickInSlot(int index, bool* gamepad)
{
    const Slot* slot = SlotAt(index);
    if (!slot || !SDL_JoystickGetAttached(slot->joystick))
        return nullptr;
    *gamepad = slot->controller != nullptr;
    return slot->joystick;
}

int SdlJoystickSlotOf(SDL_JoystickID instance)
{
    return SlotOf(instance);
}

void SdlCloseVirtualJoysticks(void)
{
    for (Slot& slot : slots) {
        if (slot.used && slot.isVirtual)
            Close(slot);
    }
}
