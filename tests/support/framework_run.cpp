#include "tests/support/framework_run.h"

#include <chrono>
#include <string>

#include "framework/globals.h"
#include "framework/main_window.h"

#ifndef _WIN32
#include "platform/testing/user_input.h"
#endif

namespace brannock::test {

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::jthread CloseMainWindowWhen(std::function<bool()> ready, int delayMs) {
    return std::jthread([ready = std::move(ready), delayMs] {
        if (!WaitUntil([] { return IsWindow(g_hWnd) != FALSE; }) || !WaitUntil(ready)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
#ifdef _WIN32
        PostMessageA(g_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
#else
        brannock::testing::ClickClose(g_hWnd);
#endif
    });
}

int RunWinMain(const char* commandLine) {
    std::string line = commandLine;
    return WinMain(GetModuleHandleA(nullptr), nullptr, line.data(), SW_SHOWNORMAL);
}

HWND OpenMainWindow() {
    RegisterMainClass(nullptr);
    return CreateMainWindow(nullptr, SW_SHOWNORMAL) == 1 ? g_hWnd.load() : nullptr;
}

}  // namespace brannock::test
