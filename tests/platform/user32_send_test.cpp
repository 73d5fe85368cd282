// SendMessageA and window work across threads: the sender blocks, the
// receiver serves inside its own message calls, a blocked sender serves
// what is sent to it, a dead receiver answers 0, a sender whose thread stops
// gives up only what the receiver has not begun.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include "platform/win32.h"
#include "user32_test_window.h"

#ifndef _WIN32
#include "platform/kernel32/interrupt.h"
#include "recording_backend.h"
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
        brannock::platform::SetStopCheck(nullptr);
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
thread_local bool t_sender = false;

bool SenderStopped() {
    return t_sender && g_stopSender;
}

// A thread that owns one window and serves it once told to.
class LateReceiver {
  public:
    LateReceiver() {
        thread_ = std::thread([this] {
            hwnd_ = MakeWindow();
            while (!pump_)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        });
        while (!hwnd_)
            std::this_thread::yield();
    }
    ~LateReceiver() {
        pump_ = true;
        thread_.join();
    }
    void Pump() { pump_ = true; }
    HWND hwnd() const { return hwnd_; }

  private:
    std::atomic<HWND> hwnd_{nullptr};
    std::atomic<bool> pump_{false};
    std::thread thread_;
};

TEST_F(User32Send, ASenderWhoseStopIsPendingWithdrawsAMessageNotYetTaken) {
    std::atomic<int> served{0};
    CurrentHook() = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_USER) ++served;
        return std::nullopt;
    };
    LateReceiver receiver;
    brannock::platform::SetStopCheck(SenderStopped);
    t_sender = true;
    std::thread stopper([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        g_stopSender = true;
    });
    EXPECT_EQ(SendMessageA(receiver.hwnd(), WM_USER, 0, 0), 0);
    stopper.join();
    // Cross-thread window work is withdrawn the same way, without blocking.
    EXPECT_FALSE(SetWindowTextA(receiver.hwnd(), "late"));
    t_sender = false;
    receiver.Pump();
}

// The receiver writes through lParam into the sender's buffer; the sender
// must not return (and free the buffer) before it has finished, and it
// serves what the receiver sends back meanwhile.
TEST_F(User32Send, ASenderWhoseStopIsPendingWaitsForAMessageAlreadyTaken) {
    HWND local = MakeWindow();
    std::atomic<bool> taken{false};
    std::atomic<int> sentBack{0};
    CurrentHook() = [&](HWND hwnd, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m != WM_USER) return std::nullopt;
        if (hwnd == local) return ++sentBack;
        taken = true;
        while (!g_stopSender)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        SendMessageA(local, WM_USER, 0, 0);
        std::strcpy(reinterpret_cast<char*>(l), "written");
        return 7;
    };
    WindowThread receiver;
    brannock::platform::SetStopCheck(SenderStopped);
    t_sender = true;
    std::thread stopper([&] {
        while (!taken)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        g_stopSender = true;
    });
    auto buffer = std::make_unique<char[]>(16);
    EXPECT_EQ(SendMessageA(receiver.hwnd(), WM_USER, 0, reinterpret_cast<LPARAM>(buffer.get())), 7);
    EXPECT_STREQ(buffer.get(), "written");
    EXPECT_EQ(sentBack.load(), 1);
    t_sender = false;
    stopper.join();
}

// A window thread waiting for another thread keeps its host window alive:
// the backend pumps the host while the wait lasts.
TEST_F(User32Send, WaitsLetTheBackendServeTheHost) {
    auto& backend = brannock::test::RecordingBackend::Install();
    LateReceiver receiver;
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        receiver.Pump();
    });
    int before = backend.Pumps();
    SendMessageA(receiver.hwnd(), WM_USER, 0, 0);
    EXPECT_GE(backend.Pumps() - before, 5);
    releaser.join();

    HANDLE sleeper = CreateThread(
        nullptr, 0,
        [](LPVOID) -> DWORD {
            Sleep(200);
            return 0;
        },
        nullptr, 0, nullptr);
    before = backend.Pumps();
    EXPECT_EQ(WaitForSingleObject(sleeper, INFINITE), WAIT_OBJECT_0);
    EXPECT_GE(backend.Pumps() - before, 5);
    CloseHandle(sleeper);
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
