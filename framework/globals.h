// Process-wide state of the application framework: the single application
// object, the main window's creation values, its mouse state and the frame
// pacing schedule. Values written by one thread and read by another are
// atomic words.
#pragma once

#include <atomic>

#include "platform/win32.h"

class CSystem;

// The application object and the run.
extern CSystem* g_pSystem;  // set by the constructor, cleared by the destructor
extern int g_systemCount;   // live CSystem objects
extern HINSTANCE g_hInstance;
extern std::atomic<HWND> g_hWnd;    // the main window, once created
extern std::atomic<int> g_endFlag;  // set once when the program ends, never cleared
extern char g_title[100];           // the main window's title

// Creation values of the main window.
extern char g_className[100];
extern int g_windowX;  // negative: centre on the desktop
extern int g_windowY;
extern int g_windowWidth;  // outer size
extern int g_windowHeight;
extern DWORD g_windowStyle;

// Mouse state as the main window's messages report it (client coordinates).
extern std::atomic<int> g_mouseX;
extern std::atomic<int> g_mouseY;
extern std::atomic<int> g_mouseLeft;
extern std::atomic<int> g_mouseRight;

// Frame pacing: start of the current one-second window (GetTickCount
// milliseconds) and the frames counted in it. Touched only by WaitFrame.
extern DWORD g_frameBase;
extern int g_frameCount;
