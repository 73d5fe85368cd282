// Helpers for tests of the main window's geometry and menus and of the
// secondary windows: the application object with its main window, pumping.
#pragma once

#include <gtest/gtest.h>

#include "framework/globals.h"
#include "framework/main_window.h"
#include "framework/system.h"

namespace window_test {

// The outer size SetClientSize gives for a client size, from the metrics.
inline SIZE OuterSize(int clientWidth, int clientHeight, bool withMenu) {
    SIZE size{clientWidth + GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXDLGFRAME),
              clientHeight + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYDLGFRAME) +
                  GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE)};
    if (withMenu) size.cy += GetSystemMetrics(SM_CYMENU);
    return size;
}

inline RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

inline RECT DesktopRect() {
    return WindowRect(GetDesktopWindow());
}

// Dispatches whatever is queued for this thread, serving requests for
// secondary windows after each message as the framework's loops do.
inline void Pump(CSystem& system) {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        while (system.ProcessWindowRequest() != 0) {
        }
    }
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
