// Helpers for tests of the main window's geometry and menus and of the
// secondary windows: the application object with its main window, sizes.
#pragma once

#include <gtest/gtest.h>

#include "framework/globals.h"
#include "framework/main_window.h"
#include "framework/system.h"

namespace window_test {

// The outer size SetClientSize gives for a client size, from the metrics.
inline SIZE OuterSize(int clientWidth, int clientHeight, bool withMenu) {
    return {clientWidth + GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXDLGFRAME),
            clientHeight + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYDLGFRAME) +
                GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE) +
                (withMenu ? GetSystemMetrics(SM_CYMENU) : 0)};
}

inline RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

inline SIZE SizeOf(HWND window) {
    const RECT r = WindowRect(window);
    return {r.right - r.left, r.bottom - r.top};
}

inline POINT TopLeft(HWND window) {
    const RECT r = WindowRect(window);
    return {r.left, r.top};
}

// The application object, single-threaded, with its main window created
// on demand from the current creation values.
class MainWindowFixture : public ::testing::Test {
  protected:
    MainWindowFixture() { system.SetThreaded(0); }

    HWND OpenMainWindow() {
        RegisterMainClass(nullptr);
        EXPECT_EQ(CreateMainWindow(nullptr, SW_SHOW), 1);
        return g_hWnd;
    }

    CSystem system;
};

}  // namespace window_test

inline bool operator==(const SIZE& a, const SIZE& b) {
    return a.cx == b.cx && a.cy == b.cy;
}
inline bool operator==(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}
