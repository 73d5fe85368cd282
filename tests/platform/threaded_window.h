// A recording test window (user32_test_window.h) on a thread of its own
// that runs a message loop, as a program's window thread does, while the
// test's thread plays the game thread.
#pragma once

#include <future>
#include <thread>

#include "tests/platform/user32_test_window.h"

namespace user32_test {

class ThreadedWindow {
  public:
    // Creates and shows the window on the new thread; its loop translates
    // and dispatches until the window is destroyed.
    ThreadedWindow() {
        std::promise<HWND> created;
        auto window = created.get_future();
        thread_ = std::thread([this, &created] {
            threadId_ = GetCurrentThreadId();
            const HWND hwnd = MakeWindow();
            ShowWindow(hwnd, SW_SHOW);
            created.set_value(hwnd);
            MSG msg;
            while (IsWindow(hwnd) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        });
        hwnd_ = window.get();
    }
    ~ThreadedWindow() {
        if (IsWindow(hwnd_)) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    ThreadedWindow(const ThreadedWindow&) = delete;
    ThreadedWindow& operator=(const ThreadedWindow&) = delete;

    HWND Handle() const { return hwnd_; }

  private:
    std::thread thread_;
    DWORD threadId_ = 0;
    HWND hwnd_ = nullptr;
};

}  // namespace user32_test
