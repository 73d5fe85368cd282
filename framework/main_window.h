// The main window: its class, its creation and its window procedure.
#pragma once

#include "platform/win32.h"

// Registers the class g_className; 0 on failure.
ATOM RegisterMainClass(HINSTANCE instance);

// Creates and shows the main window from the creation values, stores it in
// g_hWnd and the window map. 1 on success, 0 on failure.
int CreateMainWindow(HINSTANCE instance, int showCommand);

// Turns the main window's messages into calls of g_pSystem's hooks.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Pins the tracking size to the creation size plus the frame.
void FillMinMaxInfo(MINMAXINFO* info);
