// Secondary windows: plain windows besides the main one, each served by a
// CWindow object (or one derived from it) and optionally by a thread of its
// own running ThreadMain. They are created through CSystem::QueueWindow on
// the thread that pumps messages, which then owns them.
#pragma once

#include <atomic>

#include "platform/win32.h"

class CWindow {
  public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    // Hooks. WndProc gets the window's routed messages (see SubWndProc) on
    // the owning thread; the default passes them to DefWindowProcA.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs on the window's own thread. It should return once that thread
    // receives WM_QUIT (GetMessageA returns 0, or PeekMessageA takes it):
    // that is how Close and the destructor ask it to end.
    virtual void ThreadMain();
    virtual void OnCreate();
    virtual void OnPaint(HDC dc);

    // Ends the thread and destroys the window, as Close does. A derived
    // class whose ThreadMain uses its own members should Close in its own
    // destructor, so the thread ends before those members go.
    virtual ~CWindow();

    // Registers a class of its own ("Window0", "Window1", ...) and creates
    // the window: a null or empty title gives the class name, -1 gives
    // position 0, size 100 and style WS_BORDER. 1 on success, 0 on failure.
    // A window the object already had is closed first.
    int Create(const char* title, int x, int y, int width, int height, DWORD style);
    void Show();
    // Ends the window's thread (asking it with WM_QUIT and waiting a bounded
    // time) and destroys the window. On another thread than the one owning
    // the window, the window is cut off from this object at once and its
    // owner destroys it shortly after.
    void Close();
    HWND GetHandle() const { return hwnd; }

    // Written by the thread that creates the window; read by the window's
    // own thread too.
    std::atomic<HANDLE> thread{nullptr};
    std::atomic<DWORD> threadId{0};
    std::atomic<HWND> hwnd{nullptr};
};

// The window procedure of every secondary window: WM_CLOSE closes the
// window's object, WM_PAINT paints through OnPaint, and the usual window,
// keyboard and mouse messages go to the object's WndProc (0 when the window
// has no object).
LRESULT CALLBACK SubWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A window thread's routine: runs the object's ThreadMain. The argument is
// the window handle.
DWORD WINAPI WindowThreadProc(LPVOID windowHandle);
