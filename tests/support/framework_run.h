// Helpers for tests that run the application framework: waiting with a
// deadline, pumping the calling thread's messages, and acting on the main
// window from outside.
//
// Every test case runs in a process of its own, so a test may create its
// CSystem as a local object. Never define a CSystem at namespace scope in a
// test file: every test process of the executable would construct it.
#pragma once

#include <functional>

#include "platform/win32.h"

namespace brannock::test {

// Polls condition (every millisecond, real time) until it holds or
// timeoutMs passes; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Like WaitUntil, handling the calling thread's messages between polls, so
// windows of this thread stay responsive.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Waits until the main window exists; returns it, or null after timeoutMs.
HWND WaitForMainWindow(int timeoutMs = 5000);

// The user clicks the main window's close control (the window gets WM_CLOSE
// on its own thread).
void ClickCloseMainWindow();

// Calls the process entry as a program start would, with commandLine.
int RunWinMain(const char* commandLine = "");

}  // namespace brannock::test
