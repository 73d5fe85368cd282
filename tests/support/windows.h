// Helpers for tests that look at windows: their size, place and title, a
// plain window of their own, and the queue of the calling thread.
#pragma once

#include <string>

#include "platform/win32.h"

namespace brannock::test {

inline SIZE SizeOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

inline POINT TopLeft(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top};
}

inline std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The outer size of a window framed for a client size, as the main window's
// SetClientSize frames it.
inline SIZE FramedSize(int clientWidth, int clientHeight, bool withMenu) {
    return {clientWidth + GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXDLGFRAME),
            clientHeight + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYDLGFRAME) +
                GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE) +
                (withMenu ? GetSystemMetrics(SM_CYMENU) : 0)};
}

// Dispatches every message queued for the calling thread.
inline void PumpPending() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// A plain top-level window, destroyed with the object.
struct PlainWindow {
    explicit PlainWindow(DWORD style = WS_OVERLAPPEDWINDOW, HMENU menu = nullptr) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "PlainTestWindow";
        RegisterClassExA(&wc);  // fails harmlessly once registered
        handle = CreateWindowExA(0, wc.lpszClassName, "", style, 100, 50, 300, 200, nullptr, menu,
                                 nullptr, nullptr);
    }
    ~PlainWindow() { DestroyWindow(handle); }
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;
    HWND handle;
};

}  // namespace brannock::test

inline bool operator==(const SIZE& a, const SIZE& b) {
    return a.cx == b.cx && a.cy == b.cy;
}
inline bool operator==(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}
