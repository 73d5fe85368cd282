// Window operations shared by the user32 files.
#pragma once

#include "platform/user32/state.h"

namespace brannock::platform::user32 {

// The MINMAXINFO the system offers before WM_GETMINMAXINFO.
MINMAXINFO DefaultMinMaxInfo();

// Asks the window (WM_GETMINMAXINFO) for its track sizes and limits the
// outer size to them.
void LimitToTrackSize(HWND hwnd, int& width, int& height);

// Makes `hwnd` the foreground window: WM_ACTIVATE and WM_SETFOCUS to it, and
// WM_ACTIVATE (inactive) and WM_KILLFOCUS to the window that had the focus
// (posted when that window belongs to another thread, which may be blocked).
// When no window was active, the program becomes the active application
// first: WM_ACTIVATEAPP (TRUE).
void ActivateWindow(HWND hwnd);

// When `hwnd` is the foreground window, leaves the program without one, as
// when the active window is hidden or destroyed or the host's window loses
// the focus: WM_ACTIVATE (inactive), WM_ACTIVATEAPP (FALSE) and
// WM_KILLFOCUS to it.
void DeactivateWindow(HWND hwnd);

// WM_SIZE with the client area's size, then WM_MOVE with its origin (`origin`,
// in the coordinates WM_MOVE uses).
void SendSizeAndMove(HWND hwnd, const RECT& client, POINT origin);

// Marks the whole client area as needing WM_PAINT, with erasing. Needs the
// lock.
void InvalidateAllLocked(Window& w);

}  // namespace brannock::platform::user32
