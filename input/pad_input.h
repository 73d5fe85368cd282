// A game pad polled once per frame: the keyboard (index 0) or joystick 1 to
// 4 (index 1 to 4). Everything is read at the moment of the call.
//
// Directions are laid out like a numeric keypad, as seen on the screen:
//   7 8 9      up-left   up    up-right
//   4 0 6      left      none  right
//   1 2 3      down-left down  down-right
// Buttons are bits: keyboard Z X C V A S D F Space Enter are bits 0 to 9;
// joystick buttons 1 to 4 are bits 0 to 3, so they match Z X C V.
#pragma once

#include "platform/win32.h"

class CPadInput {
  public:
    // The rectangle MovePoint keeps points in, edges included.
    CPadInput(int left, int top, int right, int bottom);

    void SetClampRect(int left, int top, int right, int bottom);

    // Keypad direction 0-9 (never 5; no direction is 0). A joystick reports
    // nothing until it has once been read with its stick near the centre,
    // which keeps an absent or uncalibrated device quiet.
    int GetDirection(int index);

    // Button bits. Keyboard buttons read 0 while ownerWindow is set and
    // another window is in front; a joystick's read 0 until GetDirection
    // has found its stick centred.
    int GetButtons(int index) const;

    // Moves (x, y) one step of (dx, dy) in a keypad direction, y growing
    // downward, then clamps it to the rectangle (whatever the direction).
    void MovePoint(int direction, int& x, int& y, int dx, int dy) const;

    // Window that must be in front for keyboard buttons to count; null
    // reads the keyboard whatever window is in front.
    HWND ownerWindow = nullptr;

  private:
    // One per joystick 1-4: set once its stick was seen centred, never
    // cleared. Written by GetDirection of the thread that polls this pad.
    int joystickReady[4] = {};
    int clampLeft = 0;
    int clampRight = 0;
    int clampTop = 0;
    int clampBottom = 0;
};
