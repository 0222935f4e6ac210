// GameContext: the one record that holds the whole state of the program,
// grouped by the subsystem that owns each field. It lives in zero-filled
// static storage, so every field not given a start value begins at 0.
#pragma once

#include <windows.h>

enum Screen : LONG {
    Title = 0,
    Playing = 1,
    Result = 2,
    Verdict = 3,
};

// No joystick answered at start-up.
constexpr DWORD kNoJoystick = 167;

struct GameContext {
    // Start-up and frame loop
    HINSTANCE instanceHandle;  // the program's module: class, icon, dialogs
    HWND mainWindow;           // set once CreateMainWindow has returned
    LONG running;              // 1 while the loop is to run game steps
    DWORD now;                 // clock read by the pass that found the queue empty
    DWORD nextFrameTime;       // time at or after which the next step is due
    DWORD frameInterval;       // ms between steps; 0 = as fast as possible
    LONG hasMmx;               // 1 when the processor offers MMX
    DWORD randomSeed;          // state of NextRandom

    // Window messages and input
    LONG keyLeft;              // -1 while left is held
    LONG keyRight;             // +1 while right is held
    LONG keyUp;                // +1 while up is held
    LONG keyDown;              // -1 while down is held
    LONG joyX;                 // -1 left, 0 centre, +1 right
    LONG joyY;                 // +1 up, 0 centre, -1 down
    DWORD joystickId;          // captured joystick, kNoJoystick if none

    // Display surfaces and screen modes
    HDC windowDc;              // the window's own DC, kept for its life
    HBITMAP frameBitmap;       // DIB section of the frame image
    BYTE* frameBuffer;         // its 320 x 240 palette indices, bottom-up
    HDC frameDc;               // memory DC holding frameBitmap
    HBITMAP savedFrameBitmap;  // what frameDc held before frameBitmap
    HBITMAP composeBitmap;     // display-format picture for screens and text
    HDC composeDc;             // memory DC holding composeBitmap and bannerFont
    HDC bannerDc;              // memory DC for the banner strip
    HFONT bannerFont;          // the 16-pixel font kept in composeDc
    LONG screenMode;           // 0 standard, 1 640 x 480, 2 full screen
    LONG outputWidth;          // stretched picture size in modes 1 and 2
    LONG outputHeight;
    LONG stripHeight;          // height of the top 16 lines when stretched

    // Run lifecycle
    Screen screen;             // the screen now up; Playing during a run
    DWORD pauseStart;          // when the run was paused; 0 while not paused
    DWORD startTime;           // when the run started, moved on by pauses
    LONG boostPriority;        // 1: raise the priority class while playing

    // Settings of the game proper (start values set by AppMain)
    LONG backgroundMode;       // 0 no stars, 1 near layer, 2 all layers
    LONG eventKind;            // attack event in force; 0 none
    LONG bulletSetting;        // 0..3: 30, 50, 100 or 200 bullets
};

extern GameContext game;
