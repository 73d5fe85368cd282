// Requests to create secondary windows. Any thread may queue one; the thread
// that pumps messages carries them out after each message it dispatches
// (CSystem::ProcessWindowRequest), so the windows belong to that thread.
#pragma once

#include "platform/win32.h"

// A window to create. -1 stands for the default of a value: position 0,
// size 100, style WS_BORDER; an empty title gives the window's class name.
struct WindowRequest {
    WindowRequest() = default;
    // Copies the title (null gives an empty one; a longer one is cut to 255
    // bytes, never inside a double-byte character); the style is -1.
    WindowRequest(const char* title, int x, int y, int width, int height);

    char title[256] = {};
    int x = -1;
    int y = -1;
    int width = -1;
    int height = -1;
    DWORD style = static_cast<DWORD>(-1);
};

// Waits, polling, until every queued request has been carried out, or the
// program ends. Call it from a thread other than the one that pumps.
void WaitWindowQueue();
