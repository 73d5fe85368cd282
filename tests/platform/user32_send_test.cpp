// SendMessageA and window work across threads: the sender blocks, the
// receiver serves inside its own message calls, a blocked sender serves
// what is sent to it, a dead receiver answers 0, an interrupted sender
// unwinds cleanly.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "platform/win32.h"
#include "user32_test_window.h"

#ifndef _WIN32
#include "platform/kernel32/interrupt.h"
#endif

namespace {

using namespace user32_test;

// A thread that owns one test window and pumps it until told to quit.
class WindowThread {
  public:
    explicit WindowThread(bool pump = true) {
        thread_ = std::thread([this, pump] {
            HWND hwnd = MakeWindow();
            threadId_ = GetCurrentThreadId();
            hwnd_ = hwnd;
            if (!pump) {
                while (!release_)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                return;  // ends without destroying its window
            }
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0)
                DispatchMessageA(&msg);
        });
        while (!hwnd_)
            std::this_thread::yield();
    }
    ~WindowThread() { Stop(); }
    void Stop() {
        release_ = true;
        if (thread_.joinable()) {
            PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
            thread_.join();
        }
    }
    HWND hwnd() const { return hwnd_; }
    DWORD threadId() const { return threadId_; }

  private:
    std::atomic<HWND> hwnd_{nullptr};
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> release_{false};
    std::thread thread_;
};

class User32Send : public ::testing::Test {
  protected:
    void SetUp() override { Log().Clear(); }
    void TearDown() override {
        CurrentHook() = nullptr;
#ifndef _WIN32
        brannock::platform::SetInterruptCheck(nullptr);
#endif
    }
};

TEST_F(User32Send, TheReceiverRunsTheProcedureAndTheSenderGetsItsAnswer) {
    std::atomic<DWORD> ranOn{0};
    CurrentHook() = [&](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_USER) return std::nullopt;
        ranOn = GetCurrentThreadId();
        return static_cast<LRESULT>(w * 2);
    };
    WindowThread receiver;
    EXPECT_EQ(SendMessageA(receiver.hwnd(), WM_USER, 21, 0), 42);
    EXPECT_EQ(ranOn.load(), receiver.threadId());
}

TEST_F(User32Send, ABlockedSenderServesMessagesSentBackToIt) {
    HWND local = MakeWindow();
    CurrentHook() = [&](HWND hwnd, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_USER) return std::nullopt;
        if (hwnd == local) return static_cast<LRESULT>(w + 1);
        // On the receiver: ask the blocked sender, nested two deep.
        return SendMessageA(local, WM_USER, w * 10, 0) + 1000;
    };
    WindowThread receiver;
    EXPECT_EQ(SendMessageA(receiver.hwnd(), WM_USER, 3, 0), 1031);
    EXPECT_EQ(Log().Of(local, {WM_USER}).size(), 1u);
}

TEST_F(User32Send, SendingToAWindowWhoseThreadEndedFailsInsteadOfHanging) {
    WindowThread receiver(false);
    HWND hwnd = receiver.hwnd();
    receiver.Stop();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);

    // A thread ending while a message waits for it answers 0 too.
    WindowThread ending(false);
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        ending.Stop();
    });
    CurrentHook() = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_USER) return 5;
        return std::nullopt;
    };
    EXPECT_EQ(SendMessageA(ending.hwnd(), WM_USER, 0, 0), 0);
    stopper.join();
}

#ifndef _WIN32
// The platform's stop of a blocked thread (Windows has none).
std::atomic<bool> g_stopSender{false};

struct Stopped {};

void ThrowWhenAsked() {
    if (g_stopSender) throw Stopped{};
}

TEST_F(User32Send, AnInterruptedSenderWithdrawsItsMessage) {
    std::atomic<int> served{0};
    CurrentHook() = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_USER) ++served;
        return std::nullopt;
    };
    std::atomic<bool> pump{false};
    std::atomic<HWND> hwnd{nullptr};
    std::thread receiver([&] {
        hwnd = MakeWindow();
        while (!pump)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    });
    while (!hwnd)
        std::this_thread::yield();
    brannock::platform::SetInterruptCheck(ThrowWhenAsked);
    std::thread stopper([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        g_stopSender = true;
    });
    EXPECT_THROW(SendMessageA(hwnd, WM_USER, 0, 0), Stopped);
    stopper.join();
    pump = true;
    receiver.join();
    EXPECT_EQ(served.load(), 0);
}

#endif

TEST_F(User32Send, WindowWorkFromAnotherThreadRunsOnTheOwningThread) {
    std::atomic<DWORD> sizedOn{0};
    std::atomic<DWORD> destroyedOn{0};
    CurrentHook() = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_SIZE) sizedOn = GetCurrentThreadId();
        if (m == WM_DESTROY) destroyedOn = GetCurrentThreadId();
        return std::nullopt;
    };
    WindowThread owner;
    ASSERT_TRUE(SetWindowPos(owner.hwnd(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER));
    EXPECT_EQ(sizedOn.load(), owner.threadId());
    RECT rect{};
    GetWindowRect(owner.hwnd(), &rect);
    EXPECT_EQ(rect.right - rect.left, 300);

    ASSERT_TRUE(SetWindowTextA(owner.hwnd(), "\x8c\x78\x8d\x90"));
    char title[16] = {};
    GetWindowTextA(owner.hwnd(), title, sizeof title);
    EXPECT_STREQ(title, "\x8c\x78\x8d\x90");

#ifndef _WIN32
    // Windows refuses to destroy another thread's window; the platform has
    // the owning thread do it.
    ASSERT_TRUE(DestroyWindow(owner.hwnd()));
    EXPECT_EQ(destroyedOn.load(), owner.threadId());
    EXPECT_FALSE(IsWindow(owner.hwnd()));
#endif
}

}  // namespace
