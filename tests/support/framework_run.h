// Helpers for tests that run the application framework and look at its
// windows. Every test case runs in a process of its own, so a test creates
// its CSystem as a local object; never define one at namespace scope in a
// test file.
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "platform/win32.h"

namespace brannock::test {

// Polls condition every millisecond until it holds or timeoutMs passes;
// returns its last value.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// On a thread of its own: once the main window exists and ready() holds,
// waits delayMs, then clicks the window's close control as a user would.
std::jthread CloseMainWindowWhen(std::function<bool()> ready, int delayMs = 0);

// Calls the process entry as a program start does.
int RunWinMain(const char* commandLine = "");

// Registers the main class and creates the main window from the current
// creation values, as a run does; the window, null on failure.
HWND OpenMainWindow();

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

}  // namespace brannock::test

inline bool operator==(const SIZE& a, const SIZE& b) {
    return a.cx == b.cx && a.cy == b.cy;
}
inline bool operator==(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}
