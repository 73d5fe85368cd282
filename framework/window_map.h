// The window map: which object serves which window. It ties at most 30 window
// handles to their objects (the main window to the CSystem, secondary windows
// to their CWindow). Safe to use from any thread.
#pragma once

#include "platform/win32.h"

// Records the pair after dropping pairs whose window is gone. Returns 0 when
// the handle is not a window or 30 pairs are live, else 1.
int RegisterWindow(HWND window, void* object);

// The object recorded for the window, or null.
void* FindWindowObject(HWND window);

// Drops the window's pair at once, so its messages no longer reach the
// object (a CWindow that is being destroyed).
void UnregisterWindow(HWND window);

// Drops the pairs whose window no longer exists, keeping the order of the rest.
void CompactWindowMap();
