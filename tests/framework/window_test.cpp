// Secondary windows: the request queue, CWindow and its thread, and the
// window procedure of their classes.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "framework/globals.h"
#include "framework/system.h"
#include "framework/window.h"
#include "framework/window_map.h"
#include "framework/window_request.h"
#include "tests/support/framework_run.h"

namespace {

using brannock::test::SizeOf;
using brannock::test::TopLeft;
using brannock::test::WaitUntil;
using brannock::test::WindowText;

// A window whose thread runs a message loop, as window threads should.
// mode -1 waits before the loop, 0 goes on, 1 first sends to the window.
class LoopWindow : public CWindow {
  public:
    explicit LoopWindow(int mode = 0) : mode(mode) {}
    ~LoopWindow() override { Close(); }
    void ThreadMain() override {
        started = true;
        while (mode < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (mode == 1) {
            sent = true;
            SendMessageA(hwnd, WM_KEYDOWN, 'S', 0);
        }
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        }
    }
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN) lastKey = static_cast<int>(wParam);
        return CWindow::WndProc(message, wParam, lParam);
    }
    std::atomic<int> mode;
    std::atomic<bool> started{false};
    std::atomic<bool> sent{false};
    int lastKey = 0;
};

class SecondaryWindowTest : public ::testing::Test {
  protected:
    // Queues a default request for the window and serves it.
    void Open(LoopWindow& window) {
        system.QueueWindow(0, nullptr, &window);
        system.ProcessWindowRequest();
        ASSERT_TRUE(WaitUntil([&] { return window.started.load(); }));
    }

    CSystem system;
};

TEST_F(SecondaryWindowTest, NewestRequestComesFirstWithDefaultTitleAndGeometry) {
    LoopWindow first, second;
    system.QueueWindow(1, nullptr, &first);  // no such kind: takes no place
    system.QueueWindow(0, nullptr, &first);
    system.QueueWindow(0, nullptr, &second);
    for (int i = 0; i < 12; ++i)
        system.QueueWindow(0, nullptr, nullptr);  // only 8 fit
    int served = 1;
    while (system.ProcessWindowRequest() != 0)
        ++served;
    EXPECT_EQ(served, 10);
    EXPECT_EQ(WindowText(second.GetHandle()), "Window8");
    EXPECT_EQ(WindowText(first.GetHandle()), "Window9");

    // All -1: a bordered 100 x 100 window at 0, 0, or as large as the
    // system lets a captioned window be.
    EXPECT_EQ(TopLeft(first.GetHandle()), (POINT{0, 0}));
    EXPECT_EQ(SizeOf(first.GetHandle()), (SIZE{std::max(100, GetSystemMetrics(SM_CXMINTRACK)),
                                               std::max(100, GetSystemMetrics(SM_CYMINTRACK))}));
    EXPECT_NE(static_cast<DWORD>(GetWindowLongA(first.GetHandle(), GWL_STYLE)) & WS_BORDER, 0u);
    const WindowRequest titled(std::string(300, 't').c_str(), 5, 6, 70, 80);
    EXPECT_EQ(std::string(titled.title), std::string(255, 't'));
}

// The game thread queues windows and waits while the pumping thread makes
// them. One ends by a close message, leaving the program running; the other
// when its object is deleted on yet another thread.
TEST_F(SecondaryWindowTest, WindowsQueuedOnTheGameThreadAreMadeHereAndEndEitherWay) {
    HWND mainWindow = brannock::test::OpenMainWindow();
    LoopWindow closed;
    auto* deleted = new LoopWindow;
    std::atomic<bool> done{false};
    std::thread game([&] {
        for (LoopWindow* window : {&closed, deleted}) {
            system.QueueWindow(0, nullptr, window);
            WaitWindowQueue();
        }
        done = true;
    });
    while (!done) {
        while (system.ProcessWindowRequest() != 0) {
        }
        std::this_thread::yield();
    }
    game.join();
    ASSERT_TRUE(WaitUntil([&] { return closed.started && deleted->started; }));

    HWND handle = closed.GetHandle();
    SendMessageA(handle, WM_KEYDOWN, 'Q', 0);
    EXPECT_EQ(closed.lastKey, 'Q');
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(closed.thread.load(), nullptr);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(g_endFlag, 0);
    EXPECT_TRUE(IsWindow(mainWindow));

    handle = deleted->GetHandle();
    std::thread([deleted] { delete deleted; }).join();
    EXPECT_EQ(SendMessageA(handle, WM_KEYDOWN, 'K', 0), 0);  // reaches no object
    EXPECT_TRUE(WaitUntil([&] {
        MSG message{};  // the owner destroys it
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        return !IsWindow(handle);
    }));
}

// The thread waits for the window's owner, which waits for the thread: the
// owner serves the message, or the stopping thread withdraws it.
TEST_F(SecondaryWindowTest, CloseEndsAThreadBlockedSendingToItsWindow) {
    LoopWindow sending(-1);
    Open(sending);
    sending.mode = 1;
    ASSERT_TRUE(WaitUntil([&] { return sending.sent.load(); }));
    sending.Close();
    EXPECT_EQ(sending.thread.load(), nullptr);
}

// Destroying the object on one thread while the window's owner runs its
// WndProc waits for that call to return.
TEST_F(SecondaryWindowTest, DestructionWaitsForACallInProgressOnAnotherThread) {
    static std::atomic<bool> inside{false}, deleting{false}, left{false};
    struct Busy : LoopWindow {
        ~Busy() override { Close(); }  // its WndProc uses its own members
        int calls = 0;
        LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message != WM_KEYDOWN) return LoopWindow::WndProc(message, wParam, lParam);
            inside = true;
            while (!deleting)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            ++calls;  // the object is still there
            left = true;
            return 0;
        }
    };
    auto* busy = new Busy;
    Open(*busy);
    HWND handle = busy->GetHandle();
    std::atomic<bool> leftFirst{false};
    std::thread deleter([&] {
        ASSERT_TRUE(WaitUntil([&] { return inside.load(); }));
        deleting = true;
        delete busy;
        leftFirst = left.load();
    });
    SendMessageA(handle, WM_KEYDOWN, 'B', 0);  // runs WndProc here, on the owner
    deleter.join();
    EXPECT_TRUE(leftFirst);
}

#ifndef _WIN32
// Closing a window ends its thread wherever it waits: a blocking call
// returns early, and the next framework call unwinds the thread.
TEST_F(SecondaryWindowTest, ClosingTheWindowEndsAThreadThatSleepsOrWaits) {
    struct Sleeper : CWindow {
        CSystem& system;
        std::atomic<bool> started{false}, woke{false}, ranOn{false};
        explicit Sleeper(CSystem& system) : system(system) {}
        ~Sleeper() override { Close(); }
        void ThreadMain() override {
            started = true;
            Sleep(INFINITE);
            woke = true;
            system.PumpMessages();
            ranOn = true;
        }
    } sleeper(system);
    // A loop that never calls the framework is unwound by its blocking call.
    struct Looping : CWindow {
        std::atomic<bool> started{false};
        ~Looping() override { Close(); }
        void ThreadMain() override {
            started = true;
            for (;;)
                Sleep(2);
        }
    } looping;
    for (CWindow* window : {static_cast<CWindow*>(&sleeper), static_cast<CWindow*>(&looping)})
        system.QueueWindow(0, nullptr, window);
    while (system.ProcessWindowRequest() != 0) {
    }
    ASSERT_TRUE(WaitUntil([&] { return sleeper.started && looping.started; }));

    for (CWindow* window : {static_cast<CWindow*>(&sleeper), static_cast<CWindow*>(&looping)}) {
        HWND handle = window->GetHandle();
        SendMessageA(handle, WM_CLOSE, 0, 0);
        EXPECT_EQ(window->thread.load(), nullptr);  // ended, not given up on
        EXPECT_FALSE(IsWindow(handle));
    }
    EXPECT_TRUE(sleeper.woke);
    EXPECT_FALSE(sleeper.ranOn);
}
#endif

// A thread that does not listen for a while: Close gives up after a bounded
// wait and leaves the thread stopping; the destructor waits until it ends.
TEST_F(SecondaryWindowTest, DestructionWaitsForAThreadThatTakesItsTime) {
    static std::atomic<bool> listen{false}, finished{false};
    static std::atomic<bool> started{false};
    // Only the CWindow part is left while ~CWindow waits: the thread uses
    // nothing else.
    struct Deaf : CWindow {
        void ThreadMain() override {
            struct Leave {  // however the thread ends
                const CWindow& window;
                ~Leave() {
                    (void)window.threadId.load();  // the object is still there
                    finished = true;
                }
            } leave{*this};
            started = true;
            while (!listen)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            }
        }
    };
    auto* deaf = new Deaf;
    system.QueueWindow(0, nullptr, deaf);
    system.ProcessWindowRequest();
    ASSERT_TRUE(WaitUntil([&] { return started.load(); }));
    std::atomic<bool> endedFirst{false};
    std::thread deleter([&] {
        delete deaf;
        endedFirst = finished.load();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    listen = true;
    deleter.join();
    EXPECT_TRUE(endedFirst);
}

TEST_F(SecondaryWindowTest, WindowBeyondAFullMapHasNoObject) {
    CWindow windows[30];
    for (CWindow& window : windows)
        ASSERT_EQ(window.Create("", 0, 0, 50, 50, WS_BORDER), 1);
    LoopWindow extra;
    system.QueueWindow(0, nullptr, &extra);
    system.ProcessWindowRequest();
    HWND handle = extra.GetHandle();
    EXPECT_EQ(SendMessageA(handle, WM_KEYDOWN, 'K', 0), 0);
    EXPECT_EQ(extra.lastKey, 0);
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(handle));

    windows[0].Close();  // a closed window frees its place
    LoopWindow late;
    ASSERT_EQ(late.Create("late", 0, 0, 50, 50, WS_BORDER), 1);
    EXPECT_EQ(FindWindowObject(late.GetHandle()), &late);
}

}  // namespace
