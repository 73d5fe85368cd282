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
void ActivateWindow(HWND hwnd);

// Marks the whole client area as needing WM_PAINT, with erasing. Needs the
// lock.
void InvalidateAllLocked(Window& w);

}  // namespace brannock::platform::user32
