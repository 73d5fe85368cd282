// Secondary windows: plain windows besides the main one, each served by a
// CWindow object (or one derived from it) and optionally by a thread of its
// own running ThreadMain. They are created through CSystem::QueueWindow on
// the thread that pumps messages, which then owns them.
#pragma once

#include <atomic>

#include "framework/stop_point.h"
#include "platform/win32.h"

class CWindow {
  public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    // Hooks. WndProc gets the window's routed messages (see SubWndProc) on
    // the owning thread; the default passes them to DefWindowProcA.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs on the window's own thread. Close and the destructor stop it as
    // StopGameThread stops the game thread: WM_QUIT is posted to it (a
    // message loop ends), its next framework call unwinds it, and on the
    // platform layer its blocking calls (Sleep, waits, sends, GetMessageA)
    // return early meanwhile. A thread still running a second later is
    // unwound there by its next blocking call. A ThreadMain that makes none
    // of these calls cannot be stopped.
    virtual void ThreadMain();
    virtual void OnCreate();
    virtual void OnPaint(HDC dc);

    // Ends the thread, waiting for it as long as it takes, and destroys the
    // window; calls into the object that other threads are making (its
    // WndProc, OnPaint, Close on the window's owner) end first. A derived
    // class whose hooks use its own members should Close in its own
    // destructor, so thread and calls end before those members go.
    virtual ~CWindow();

    // Registers a class of its own ("Window0", "Window1", ...) and creates
    // the window: a null or empty title gives the class name, -1 gives
    // position 0, size 100 and style WS_BORDER. 1 on success, 0 on failure.
    // A window the object already had is closed first.
    int Create(const char* title, int x, int y, int width, int height, DWORD style);
    void Show();
    // Ends the window's thread (see ThreadMain; the wait gives up after 3
    // seconds, leaving the thread stopping, and the destructor waits for it
    // again) and destroys the window. On another thread than the one owning
    // the window, the window is cut off from this object at once, calls in
    // progress into the object end, and its owner destroys it shortly after.
    void Close();
    HWND GetHandle() const { return hwnd; }

    // Written by the thread that creates the window; read by the window's
    // own thread too.
    std::atomic<HANDLE> thread{nullptr};
    std::atomic<DWORD> threadId{0};
    std::atomic<HWND> hwnd{nullptr};

  private:
    friend bool StartWindowThread(CWindow& window);
    friend void RequestWindowThreadEnd(CWindow& window);
    friend DWORD WINAPI WindowThreadProc(LPVOID windowHandle);

    ThreadStop stop_;  // the stop of the window's thread
};

// The window procedure of every secondary window: WM_CLOSE closes the
// window's object, WM_PAINT paints through OnPaint, and the usual window,
// keyboard and mouse messages go to the object's WndProc (0 when the window
// has no object).
LRESULT CALLBACK SubWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A window thread's routine: runs the object's ThreadMain. The argument is
// the window handle.
DWORD WINAPI WindowThreadProc(LPVOID windowHandle);
