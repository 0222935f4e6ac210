// The contract between WinMM's joystick calls and the system's game input
// (backend/sdl_joystick.cpp). The backend keeps the devices in slots, the
// joystick ids of WinMM; WinMM keeps the Windows model (ranges, errors,
// capture messages).
#pragma once

#include <windows.h>

constexpr int kJoySlots = 16;

struct JoyReading {
    int x, y, z;       // the system's units, -32768..32767; y grows downward
    uint32_t buttons;  // bit n: button n + 1
};

struct JoyDescription {
    char nameUtf8[128];
    WORD vendor;
    WORD product;
    int axes;     // 2 (x, y) or 3 (x, y, z)
    int buttons;  // at most 32
};

// Starts the system's joystick support on first need; false when there is
// none.
bool BackendJoyInit(void);
// Takes in the devices plugged in and out since the last call and reads
// every device's current state. Plain joysticks take slots before gamepads,
// each kind in the system's device order; while a gamepad is attached only
// two devices take slots (one plain joystick, or a second gamepad, then a
// gamepad), the others are left out until every device is unplugged. Until a slot is first read or
// described the slots are laid out anew at each call; from then on a device
// keeps its slot, a new one gets the lowest free slot and an unplugged one
// frees its own. Once no device is left, the slots are laid out anew again.
void BackendJoyRefresh(void);
// The state of the device in `slot` as of the last refresh; false when the
// slot has no device. A gamepad's d-pad (a joystick's hat) at full
// deflection overrides its stick.
bool BackendJoyRead(int slot, JoyReading* out);
bool BackendJoyDescribe(int slot, JoyDescription* out);

// Virtual devices on the system's own joystick path, for tests. A plain
// joystick has 2 axes, 8 buttons and a hat; a gamepad has the standard
// layout. Returns the slot the device got, or -1; until a slot is read, a
// gamepad moves up when a plain joystick comes.
int BackendJoyAttachVirtual(bool gamepad, const char* nameUtf8);
bool BackendJoySetVirtualAxes(int slot, int x, int y);
bool BackendJoySetVirtualButton(int slot, int button, bool pressed);
bool BackendJoySetVirtualHat(int slot, int dx, int dy);
void BackendJoyDetachVirtual(void);
