// What belongs to one window: the mouse pointer in its client coordinates
// with the two mouse buttons, and keys held while it is in front.
#pragma once

#include "platform/win32.h"

class CWindowInput {
  public:
    // A null window reads the pointer in screen coordinates.
    explicit CWindowInput(HWND window);

    // The pointer relative to the client area of a window with a sizing
    // frame, computed from the window rectangle and the system metrics; not
    // clamped, so it can lie outside the client area. Without a window the
    // screen position, less a caption's height. The buttons (0 or 0x8000
    // each) read only while the window is in front (without a window: while
    // no window is) and the pointer is not above or left of the client
    // area. Not silenced by inputEnabled.
    void GetPointer(int& x, int& y, int& left, int& right) const;

    // 0x8000 while the key is down and the window (if any) is in front,
    // else 0. The code travels as a char and is sign-extended on the way:
    // codes above 127 reach GetAsyncKeyState negative and read as up.
    int IsKeyDown(char key) const;

    HWND ownerWindow;
};
