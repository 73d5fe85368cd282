#include "tests/support/framework_run.h"

#include <chrono>
#include <string>
#include <thread>

#include "framework/globals.h"

#ifndef _WIN32
#include "platform/testing/user_input.h"
#endif

namespace brannock::test {

namespace {

bool Poll(const std::function<bool()>& condition, int timeoutMs,
          const std::function<void()>& between) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        between();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    return Poll(condition, timeoutMs, [] {});
}

bool PumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    return Poll(condition, timeoutMs, [] {
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    });
}

HWND WaitForMainWindow(int timeoutMs) {
    WaitUntil([] { return g_hWnd.load() != nullptr && IsWindow(g_hWnd); }, timeoutMs);
    return g_hWnd;
}

void ClickCloseMainWindow() {
#ifdef _WIN32
    PostMessageA(g_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
#else
    brannock::testing::ClickClose(g_hWnd);
#endif
}

int RunWinMain(const char* commandLine) {
    std::string line = commandLine;
    return WinMain(GetModuleHandleA(nullptr), nullptr, line.data(), SW_SHOWNORMAL);
}

}  // namespace brannock::test
