// Helpers for tests that run the application framework. Every test case runs
// in a process of its own, so a test creates its CSystem as a local object;
// never define one at namespace scope in a test file.
#pragma once

#include <functional>
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

}  // namespace brannock::test
