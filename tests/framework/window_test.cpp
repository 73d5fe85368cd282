// Secondary windows: the request queue, CWindow and its thread, the window
// procedure of their classes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <memory>
#include <thread>
#include <vector>

#include "framework/window.h"
#include "framework/window_map.h"
#include "framework/window_request.h"
#include "tests/framework/window_test_support.h"

#ifndef _WIN32
#include "platform/testing/user_input.h"
#endif

namespace {

using window_test::Pump;
using window_test::WindowRect;

class SecondaryWindowTest : public window_test::MainWindowFixture {};

std::string TitleOf(HWND window) {
    char title[128] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

bool ThreadEnded(HANDLE thread) {
    DWORD code = 0;
    return thread == nullptr || (GetExitCodeThread(thread, &code) && code != STILL_ACTIVE);
}

// A window whose thread runs a message loop, as window threads should, and
// counts what reaches its hooks.
class LoopWindow : public CWindow {
  public:
    ~LoopWindow() override { Close(); }

    void ThreadMain() override {
        threadStarted = true;
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        }
        threadEnded = true;
    }
    void OnCreate() override { ++created; }
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN) lastKey = static_cast<int>(wParam);
        if (message == WM_DESTROY) ++destroyed;
        return CWindow::WndProc(message, wParam, lParam);
    }

    std::atomic<bool> threadStarted{false};
    std::atomic<bool> threadEnded{false};
    int created = 0;
    int destroyed = 0;
    int lastKey = 0;
};

void WaitUntil(const std::atomic<bool>& flag) {
    while (!flag)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST_F(SecondaryWindowTest, NewestRequestIsServedFirst) {
    LoopWindow first, second;
    const WindowRequest a("first", 10, 10, 200, 100);
    const WindowRequest b("second", 20, 20, 200, 100);
    system.QueueWindow(0, &a, &first);
    system.QueueWindow(0, &b, &second);

    EXPECT_EQ(system.ProcessWindowRequest(), 1);
    EXPECT_EQ(first.GetHandle(), nullptr);
    ASSERT_NE(second.GetHandle(), nullptr);
    EXPECT_EQ(TitleOf(second.GetHandle()), "second");

    EXPECT_EQ(system.ProcessWindowRequest(), 0);
    ASSERT_NE(first.GetHandle(), nullptr);
    EXPECT_EQ(TitleOf(first.GetHandle()), "first");
    EXPECT_EQ(system.ProcessWindowRequest(), 0);  // nothing left
}

TEST_F(SecondaryWindowTest, UntitledWindowsAreNamedAfterTheirClasses) {
    LoopWindow first, second;
    system.QueueWindow(0, nullptr, &first);
    system.QueueWindow(0, nullptr, &second);
    while (system.ProcessWindowRequest() != 0) {
    }
    EXPECT_EQ(TitleOf(second.GetHandle()), "Window0");
    EXPECT_EQ(TitleOf(first.GetHandle()), "Window1");
}

TEST_F(SecondaryWindowTest, DefaultRequestGivesABorderedHundredPixelWindowAtTheOrigin) {
    LoopWindow window;
    system.QueueWindow(0, nullptr, &window);
    system.ProcessWindowRequest();
    HWND handle = window.GetHandle();
    ASSERT_NE(handle, nullptr);
    const RECT rect = WindowRect(handle);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 100);
    EXPECT_EQ(rect.bottom, 100);
    EXPECT_NE(static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE)) & WS_BORDER, 0u);
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_EQ(window.created, 1);
}

TEST_F(SecondaryWindowTest, RequestWithoutObjectLeavesNothingBehind) {
    system.QueueWindow(0, nullptr, nullptr);
    EXPECT_EQ(system.ProcessWindowRequest(), 0);
    LoopWindow next;
    system.QueueWindow(0, nullptr, &next);
    system.ProcessWindowRequest();
    EXPECT_EQ(TitleOf(next.GetHandle()), "Window1");  // Window0 came and went
}

TEST_F(SecondaryWindowTest, QueueHoldsTenRequestsAndDropsOtherKinds) {
    for (int i = 0; i < 12; ++i)
        system.QueueWindow(0, nullptr, nullptr);
    system.QueueWindow(1, nullptr, nullptr);
    int served = 0;
    int left = 0;
    do {
        left = system.ProcessWindowRequest();
        ++served;
    } while (left != 0);
    EXPECT_EQ(served, 10);
}

TEST(WindowRequestTitle, IsCutToTheBufferAndNeverNull) {
    const std::string longTitle(300, 't');
    const WindowRequest cut(longTitle.c_str(), 1, 2, 3, 4);
    EXPECT_EQ(std::string(cut.title), std::string(255, 't'));
    EXPECT_EQ(cut.style, static_cast<DWORD>(-1));
    const WindowRequest empty(nullptr, 1, 2, 3, 4);
    EXPECT_EQ(empty.title[0], '\0');
}

TEST_F(SecondaryWindowTest, ThreadRunsThreadMainAndCloseEndsItWithTheWindow) {
    HWND mainWindow = OpenMainWindow();
    LoopWindow window;
    system.QueueWindow(0, nullptr, &window);
    system.ProcessWindowRequest();
    HWND handle = window.GetHandle();
    ASSERT_NE(window.thread.load(), nullptr);
    WaitUntil(window.threadStarted);

    SendMessageA(handle, WM_KEYDOWN, 'Q', 0);
    EXPECT_EQ(window.lastKey, 'Q');

    // WM_CLOSE closes this window only; the program goes on.
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(window.threadEnded);
    EXPECT_EQ(window.thread.load(), nullptr);
    EXPECT_EQ(window.GetHandle(), nullptr);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(window.destroyed, 1);
    EXPECT_EQ(g_endFlag, 0);
    EXPECT_TRUE(IsWindow(mainWindow));
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

#ifndef _WIN32
TEST_F(SecondaryWindowTest, CloseControlClosesTheWindowThroughTheQueue) {
    LoopWindow window;
    system.QueueWindow(0, nullptr, &window);
    system.ProcessWindowRequest();
    HWND handle = window.GetHandle();
    brannock::testing::ClickClose(handle);
    Pump(system);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_TRUE(window.threadEnded);
    EXPECT_EQ(g_endFlag, 0);
}
#endif

// A thread that never looks at its messages cannot be asked to end: Close
// gives up after a bounded wait instead of hanging.
class BusyWindow : public CWindow {
  public:
    void ThreadMain() override {
        running = true;
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::atomic<bool> running{false};
    std::atomic<bool> release{false};
};

TEST_F(SecondaryWindowTest, CloseDoesNotHangOnAThreadThatIgnoresIt) {
    BusyWindow window;
    system.QueueWindow(0, nullptr, &window);
    system.ProcessWindowRequest();
    WaitUntil(window.running);
    HWND handle = window.GetHandle();

    const auto start = std::chrono::steady_clock::now();
    window.Close();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(IsWindow(handle));
    ASSERT_NE(window.thread.load(), nullptr);  // still running: kept for the destructor

    window.release = true;
}

// A thread blocked sending to its own window while the owner closes it: the
// owner serves the message while it waits, so both finish.
class SendingWindow : public LoopWindow {
  public:
    void ThreadMain() override {
        threadStarted = true;
        while (!send)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        SendMessageA(hwnd, WM_KEYDOWN, 'S', 0);
        LoopWindow::ThreadMain();
    }
    std::atomic<bool> send{false};
};

TEST_F(SecondaryWindowTest, CloseServesAThreadThatSendsToItsWindow) {
    SendingWindow window;
    system.QueueWindow(0, nullptr, &window);
    system.ProcessWindowRequest();
    WaitUntil(window.threadStarted);
    window.send = true;
    window.Close();
    EXPECT_EQ(window.thread.load(), nullptr);
    EXPECT_EQ(window.lastKey, 'S');
}

TEST_F(SecondaryWindowTest, ObjectDestroyedOnAnotherThreadLeavesItsWindowToTheOwner) {
    auto* window = new LoopWindow;
    system.QueueWindow(0, nullptr, window);
    system.ProcessWindowRequest();
    HWND handle = window->GetHandle();
    WaitUntil(window->threadStarted);

    std::thread([window] { delete window; }).join();
    EXPECT_TRUE(IsWindow(handle));  // only its owner may destroy it
    EXPECT_EQ(FindWindowObject(handle), nullptr);
    EXPECT_EQ(SendMessageA(handle, WM_KEYDOWN, 'K', 0), 0);
    Pump(system);
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(SecondaryWindowTest, RequestsQueuedOnAnotherThreadAreServedHere) {
    constexpr int kWindows = 8;
    LoopWindow windows[kWindows];
    std::atomic<bool> done{false};
    std::thread game([&] {
        for (LoopWindow& window : windows) {
            system.QueueWindow(0, nullptr, &window);
            WaitWindowQueue();
        }
        done = true;
    });
    while (!done) {
        while (system.ProcessWindowRequest() != 0) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    game.join();
    for (LoopWindow& window : windows)
        EXPECT_TRUE(IsWindow(window.GetHandle()));
}

// With 30 pairs in the map, a further window is created but has no object.
TEST_F(SecondaryWindowTest, WindowBeyondAFullMapHasNoObject) {
    std::vector<std::unique_ptr<LoopWindow>> windows;
    for (int i = 0; i < 30; ++i) {
        windows.push_back(std::make_unique<LoopWindow>());
        ASSERT_EQ(windows.back()->Create("", 0, 0, 50, 50, WS_BORDER), 1);
    }
    LoopWindow extra;
    system.QueueWindow(0, nullptr, &extra);
    system.ProcessWindowRequest();
    HWND handle = extra.GetHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(FindWindowObject(handle), nullptr);

    // Its thread finds no object and ends without running ThreadMain.
    ASSERT_NE(extra.thread.load(), nullptr);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!ThreadEnded(extra.thread) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(ThreadEnded(extra.thread));
    EXPECT_FALSE(extra.threadStarted);

    // Routed messages answer 0 and WM_CLOSE leaves it open.
    EXPECT_EQ(SendMessageA(handle, WM_KEYDOWN, 'K', 0), 0);
    EXPECT_EQ(extra.lastKey, 0);
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(handle));

    // Once a window is gone, its place is free again.
    windows.front()->Close();
    LoopWindow late;
    ASSERT_EQ(late.Create("late", 0, 0, 50, 50, WS_BORDER), 1);
    EXPECT_EQ(FindWindowObject(late.GetHandle()), &late);
}

TEST_F(SecondaryWindowTest, CreatingAgainReplacesTheObjectsWindow) {
    LoopWindow window;
    ASSERT_EQ(window.Create("one", 0, 0, 50, 50, WS_BORDER), 1);
    HWND first = window.GetHandle();
    ASSERT_EQ(window.Create("two", 0, 0, 50, 50, WS_BORDER), 1);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(TitleOf(window.GetHandle()), "two");
}

}  // namespace
