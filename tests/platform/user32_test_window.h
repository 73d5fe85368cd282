// Test windows for the user32 tests: a window procedure that records every
// message it sees (from any thread) and can be told to answer some itself.
#pragma once

#include <algorithm>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/win32.h"

namespace user32_test {

struct Seen {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class MessageLog {
  public:
    void Add(const Seen& seen) {
        std::lock_guard lock(mutex_);
        seen_.push_back(seen);
    }
    std::vector<Seen> All() const {
        std::lock_guard lock(mutex_);
        return seen_;
    }
    // The messages `hwnd` saw, in order, keeping only those in `wanted`
    // (all of them when `wanted` is empty).
    std::vector<UINT> Of(HWND hwnd, const std::vector<UINT>& wanted = {}) const {
        std::lock_guard lock(mutex_);
        std::vector<UINT> result;
        for (const Seen& s : seen_) {
            if (s.hwnd != hwnd) continue;
            if (wanted.empty() ||
                std::find(wanted.begin(), wanted.end(), s.message) != wanted.end())
                result.push_back(s.message);
        }
        return result;
    }
    // The last `message` that `hwnd` saw; a zeroed record when none.
    Seen Last(HWND hwnd, UINT message) const {
        std::lock_guard lock(mutex_);
        for (auto s = seen_.rbegin(); s != seen_.rend(); ++s)
            if (s->hwnd == hwnd && s->message == message) return *s;
        return Seen{};
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        seen_.clear();
    }

  private:
    mutable std::mutex mutex_;
    std::vector<Seen> seen_;
};

inline MessageLog& Log() {
    static MessageLog log;
    return log;
}

// Answers a message instead of DefWindowProcA when it returns a value. Set
// it before other threads use test windows.
using Hook = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
inline Hook& CurrentHook() {
    static Hook hook;
    return hook;
}

inline LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().Add(Seen{hwnd, message, wParam, lParam});
    if (CurrentHook())
        if (std::optional<LRESULT> answer = CurrentHook()(hwnd, message, wParam, lParam))
            return *answer;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline constexpr const char* kClassName = "User32Test";

inline void RegisterTestClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = RecordingProc;
    wc.cbWndExtra = 32;
    wc.lpszClassName = kClassName;
    RegisterClassExA(&wc);  // a second registration fails harmlessly
}

inline HWND MakeWindow(DWORD style = WS_OVERLAPPEDWINDOW, int x = 100, int y = 50, int width = 640,
                       int height = 480, HWND parent = nullptr) {
    RegisterTestClass();
    return CreateWindowExA(0, kClassName, "test", style, x, y, width, height, parent, nullptr,
                           nullptr, nullptr);
}

// Takes every waiting message of the calling thread and dispatches it.
inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace user32_test
