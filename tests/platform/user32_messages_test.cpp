// Window life messages, the per-thread queue and its retrieval order:
// posted messages, WM_QUIT, then WM_PAINT and WM_TIMER only when idle.
// Driven clocks and key states are the headless backend's; the rest holds
// on Windows too.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/win32.h"
#include "user32_test_window.h"

#ifndef _WIN32
#include "platform/testing/clock.h"
#include "platform/testing/user_input.h"
#endif

namespace {

using namespace user32_test;
using Messages = std::vector<UINT>;
using Got = std::pair<UINT, HWND>;  // a message and its window
const Got kNothing{0, nullptr};

// What PeekMessageA gives for these filters; kNothing when it gives nothing.
Got Peek(HWND filter = nullptr, UINT first = 0, UINT last = 0, UINT remove = PM_REMOVE) {
    MSG msg{};
    return PeekMessageA(&msg, filter, first, last, remove) ? Got{msg.message, msg.hwnd} : kNothing;
}

class User32Messages : public ::testing::Test {
  protected:
    void SetUp() override { Log().Clear(); }
    void TearDown() override {
        CurrentHook() = nullptr;
#ifndef _WIN32
        brannock::testing::SetClock(nullptr);
#endif
    }
};

// The client area's size and screen origin as WM_SIZE and WM_MOVE carry them.
std::pair<LPARAM, LPARAM> SizeAndOrigin(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    return {MAKELPARAM(client.right, client.bottom), MAKELPARAM(origin.x, origin.y)};
}

const Messages kLife = {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE,
                        WM_SHOWWINDOW,    WM_ACTIVATE, WM_SIZE,       WM_MOVE};

TEST_F(User32Messages, AnOverlappedWindowHearsItsSizeAndPlaceAtItsFirstShow) {
    std::string createdName;
    int createdWidth = 0;
    CurrentHook() = [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_CREATE) {
            auto* create = reinterpret_cast<const CREATESTRUCTA*>(l);
            createdName = create->lpszName;
            createdWidth = create->cx;
        }
        return std::nullopt;
    };
    HWND hwnd = MakeWindow();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(Log().Of(hwnd, kLife),
              (Messages{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
    EXPECT_EQ(createdName, "test");
    EXPECT_EQ(createdWidth, 640);
    EXPECT_FALSE(IsWindowVisible(hwnd));

    // After the show and the activation; only the first show.
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_EQ(Log().Of(hwnd, kLife),
              (Messages{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SHOWWINDOW,
                        WM_ACTIVATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(Log().Last(hwnd, WM_SIZE).lParam, SizeAndOrigin(hwnd).first);
    EXPECT_EQ(Log().Last(hwnd, WM_MOVE).lParam, SizeAndOrigin(hwnd).second);
    ShowWindow(hwnd, SW_HIDE);
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_EQ(Log().Of(hwnd, {WM_SIZE, WM_MOVE}), (Messages{WM_SIZE, WM_MOVE}));
    DestroyWindow(hwnd);
}

TEST_F(User32Messages, PopupsAndChildrenHearTheirSizeAndPlaceAtCreation) {
    HWND popup = MakeWindow(WS_POPUP, 30, 40, 200, 100);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Log().Of(popup, kLife),
              (Messages{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(Log().Last(popup, WM_SIZE).lParam, MAKELPARAM(200, 100));
    EXPECT_EQ(Log().Last(popup, WM_MOVE).lParam, MAKELPARAM(30, 40));
    HWND child = MakeWindow(WS_CHILD, 5, 6, 20, 10, popup);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(Log().Of(child, {WM_SIZE, WM_MOVE}), (Messages{WM_SIZE, WM_MOVE}));
    EXPECT_EQ(Log().Last(child, WM_MOVE).lParam, MAKELPARAM(5, 6));  // in the parent's client area
    DestroyWindow(popup);
}

// A refused creation leaves no window; the window hears WM_NCDESTROY, but
// no WM_DESTROY, as it never lived.
TEST_F(User32Messages, AWindowRefusedAtCreationHearsOnlyWMNcDestroy) {
    for (const UINT refusing : {WM_NCCREATE, WM_CREATE}) {
        Log().Clear();
        CurrentHook() = [refusing](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (m == refusing) return refusing == WM_CREATE ? -1 : FALSE;
            return std::nullopt;
        };
        EXPECT_EQ(MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE), nullptr);
        const auto all = Log().All();
        ASSERT_FALSE(all.empty());
        EXPECT_FALSE(IsWindow(all.front().hwnd));
        EXPECT_EQ(
            Log().Of(all.front().hwnd, {WM_CREATE, WM_SHOWWINDOW, WM_DESTROY, WM_NCDESTROY}),
            refusing == WM_CREATE ? (Messages{WM_CREATE, WM_NCDESTROY}) : (Messages{WM_NCDESTROY}));
    }
}

TEST_F(User32Messages, DestroyWindowSendsDestroyMessagesBeforeReturning) {
    HWND parent = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent);
    ASSERT_NE(child, nullptr);
    Log().Clear();
    ASSERT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const Seen& s : Log().All())
        if (s.message == WM_DESTROY || s.message == WM_NCDESTROY)
            order.emplace_back(s.hwnd, s.message);
    // WM_DESTROY parent first, WM_NCDESTROY children first.
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{parent, WM_DESTROY},
                                                         {child, WM_DESTROY},
                                                         {child, WM_NCDESTROY},
                                                         {parent, WM_NCDESTROY}}));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
}

TEST_F(User32Messages, StaleHandlesAreRefusedEverywhere) {
    HWND hwnd = MakeWindow();
    ASSERT_TRUE(DestroyWindow(hwnd));
    RECT rect{};
    MSG msg{};
    EXPECT_FALSE(DestroyWindow(hwnd));
    EXPECT_FALSE(GetWindowRect(hwnd, &rect));
    EXPECT_FALSE(PostMessageA(hwnd, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);
    EXPECT_FALSE(SetWindowPos(hwnd, nullptr, 0, 0, 10, 10, 0));
    EXPECT_EQ(SetTimer(hwnd, 1, 10, nullptr), 0u);
    EXPECT_EQ(GetMessageA(&msg, hwnd, 0, 0), -1);
    EXPECT_FALSE(IsWindow(nullptr));
    EXPECT_TRUE(IsWindow(GetDesktopWindow()));
}

TEST_F(User32Messages, CloseRequestsDestroyTheWindowUnlessItRefuses) {
    HWND plain = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SendMessageA(plain, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(plain));

    // The close control's WM_SYSCOMMAND SC_CLOSE, whose default sends WM_CLOSE.
    HWND clicked = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    PostMessageA(clicked, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_EQ(Log().Of(clicked, {WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              (Messages{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(clicked));

    // Alt+F4 reaches the same path through WM_SYSKEYDOWN's default.
    HWND keyed = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    PostMessageA(keyed, WM_SYSKEYDOWN, VK_F4, 1 << 29);
    Pump();
    EXPECT_FALSE(IsWindow(keyed));

    CurrentHook() = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_CLOSE) return 0;
        return std::nullopt;
    };
    HWND stubborn = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    PostMessageA(stubborn, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_TRUE(IsWindow(stubborn));
    DestroyWindow(stubborn);
}

TEST_F(User32Messages, PeekMessageHonoursFiltersAndRemoval) {
    HWND a = MakeWindow();
    HWND b = MakeWindow();
    Pump();
    PostMessageA(a, WM_USER + 1, 1, 0);
    PostMessageA(b, WM_USER + 2, 2, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 3, 3, 0);
    PostMessageA(a, WM_KEYDOWN, 'Q', 0);

    EXPECT_EQ(Peek(nullptr, 0, 0, PM_NOREMOVE), (Got{WM_USER + 1, a}));
    EXPECT_EQ(Peek(b), (Got{WM_USER + 2, b}));
    EXPECT_EQ(Peek(nullptr, WM_KEYFIRST, WM_KEYLAST), (Got{WM_KEYDOWN, a}));
    EXPECT_EQ(Peek(reinterpret_cast<HWND>(-1)), (Got{WM_USER + 3, nullptr}));
    EXPECT_EQ(Peek(b), kNothing);
    EXPECT_EQ(Peek(), (Got{WM_USER + 1, a}));
    EXPECT_EQ(Peek(), kNothing);
}

TEST_F(User32Messages, QuitComesAfterPostedMessagesAndEndsGetMessage) {
    HWND hwnd = MakeWindow();
    Pump();
    PostQuitMessage(7);
    PostMessageA(hwnd, WM_USER, 0, 0);
    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    // WM_QUIT ignores the range and window filters; PM_NOREMOVE leaves it
    // in place.
    EXPECT_EQ(Peek(nullptr, WM_USER, WM_USER, PM_NOREMOVE), (Got{WM_QUIT, nullptr}));
    EXPECT_EQ(Peek(hwnd, 0, 0, PM_NOREMOVE), (Got{WM_QUIT, nullptr}));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(Peek(), kNothing);
}

TEST_F(User32Messages, EachThreadReadsOnlyItsOwnQueue) {
    std::atomic<HWND> remote{nullptr};
    std::atomic<UINT> received{0};
    std::thread owner([&] {
        HWND hwnd = MakeWindow();
        remote = hwnd;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            if (msg.message == WM_USER + 5) received = msg.message;
        DestroyWindow(hwnd);
    });
    while (!remote)
        std::this_thread::yield();
    ASSERT_TRUE(PostMessageA(remote, WM_USER + 5, 0, 0));
    EXPECT_EQ(Peek(nullptr, WM_USER, WM_USER + 10), kNothing);
    DWORD ownerId = GetWindowThreadProcessId(remote, nullptr);
    EXPECT_NE(ownerId, GetCurrentThreadId());
    while (received == 0)
        std::this_thread::yield();
    PostThreadMessageA(ownerId, WM_QUIT, 0, 0);
    owner.join();
    EXPECT_FALSE(IsWindow(remote));
}

TEST_F(User32Messages, GetMessageWakesForADueTimer) {
    HWND hwnd = MakeWindow();
    Pump();
    SetTimer(hwnd, 1, 20, nullptr);
    MSG msg{};
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
}

// A thread that waits for messages without taking them: a message posted
// by another thread ends the wait, a quiet queue lets it time out, and the
// message is still there to take.
TEST_F(User32Messages, MsgWaitForMultipleObjectsEndsWhenAMessageComes) {
    Pump();
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT), WAIT_TIMEOUT);

    const DWORD self = GetCurrentThreadId();
    std::thread poster([self] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostThreadMessageA(self, WM_USER + 7, 0, 0);
    });
    // Ends long before its time-out, or the post went unnoticed.
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 60000, QS_ALLINPUT), WAIT_OBJECT_0);
    poster.join();
    EXPECT_EQ(Peek(), Got(WM_USER + 7, nullptr));
}

TEST_F(User32Messages, AnIdleThreadWakesForEachTimerPeriod) {
    // Periods longer than an idle wait's longest slice still fire.
    HWND hwnd = MakeWindow();
    Pump();
    SetTimer(hwnd, 1, 130, nullptr);
    for (int tick = 0; tick < 2; ++tick) {
        MSG msg{};
        ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    }
    KillTimer(hwnd, 1);
}

TEST_F(User32Messages, PaintComesLastAndStopsOnceValidated) {
    HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND hidden = MakeWindow();
    InvalidateRect(hidden, nullptr, TRUE);
    PostMessageA(hwnd, WM_USER, 0, 0);
    EXPECT_EQ(Peek(), (Got{WM_USER, hwnd}));
    EXPECT_EQ(Peek(), (Got{WM_PAINT, hwnd}));
    // Not validated yet: still there.
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    Log().Clear();
    DispatchMessageA(&msg);  // default processing: BeginPaint / EndPaint
    EXPECT_EQ(Log().Of(hwnd, {WM_PAINT}), (Messages{WM_PAINT}));
    EXPECT_EQ(Peek(nullptr, WM_PAINT, WM_PAINT), kNothing);

    RECT part{10, 10, 20, 30};
    InvalidateRect(hwnd, &part, FALSE);
    PAINTSTRUCT paint{};
    EXPECT_NE(BeginPaint(hwnd, &paint), nullptr);
    EXPECT_EQ(paint.rcPaint.left, 10);
    EXPECT_EQ(paint.rcPaint.bottom, 30);
    EndPaint(hwnd, &paint);

    InvalidateRect(hwnd, nullptr, FALSE);
    Log().Clear();
    UpdateWindow(hwnd);
    EXPECT_EQ(Log().Of(hwnd, {WM_PAINT}), (Messages{WM_PAINT}));
    UpdateWindow(hwnd);  // nothing left to paint
    EXPECT_EQ(Log().Of(hwnd, {WM_PAINT}), (Messages{WM_PAINT}));
}

#ifndef _WIN32
TEST_F(User32Messages, TranslateMessageMakesCharactersReadNext) {
    HWND hwnd = MakeWindow();
    Pump();
    PostMessageA(hwnd, WM_USER, 0, 0);
    MSG key{hwnd, WM_KEYDOWN, 'A', 1, 0, {}};
    EXPECT_TRUE(TranslateMessage(&key));
    brannock::testing::SetKeyDown(VK_SHIFT, true);
    key.wParam = '1';
    TranslateMessage(&key);
    brannock::testing::SetKeyDown(VK_SHIFT, false);
    key.wParam = VK_F1;
    EXPECT_TRUE(TranslateMessage(&key));
    MSG mouse{hwnd, WM_MOUSEMOVE, 0, 0, 0, {}};
    EXPECT_FALSE(TranslateMessage(&mouse));

    MSG msg{};
    std::vector<std::pair<UINT, WPARAM>> got;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        got.emplace_back(msg.message, msg.wParam);
    EXPECT_EQ(got,
              (std::vector<std::pair<UINT, WPARAM>>{{WM_CHAR, '!'}, {WM_CHAR, 'a'}, {WM_USER, 0}}));
}

TEST_F(User32Messages, TimersFireOnlyWhenTheQueueIsIdle) {
    std::atomic<DWORD> now{1000};
    brannock::testing::SetClock([&] { return now.load(); });
    HWND a = MakeWindow();
    HWND b = MakeWindow();
    Pump();
    EXPECT_EQ(SetTimer(a, 5, 100, nullptr), 5u);
    EXPECT_EQ(SetTimer(b, 5, 300, nullptr), 5u);  // same id, another window
    EXPECT_EQ(Peek(), kNothing);

    now = 1100;
    PostMessageA(b, WM_USER, 0, 0);
    EXPECT_EQ(Peek(), (Got{WM_USER, b}));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(Got(msg.message, msg.hwnd), (Got{WM_TIMER, a}));
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(Peek(), kNothing);  // taken: due again a period later, not at once

    now = 1300;
    EXPECT_EQ(Peek(), (Got{WM_TIMER, a}));
    EXPECT_EQ(Peek(), (Got{WM_TIMER, b}));
    EXPECT_TRUE(KillTimer(a, 5));
    EXPECT_FALSE(KillTimer(a, 5));
    now = 2000;
    EXPECT_EQ(Peek(), (Got{WM_TIMER, b}));
    EXPECT_EQ(Peek(), kNothing);
}

#endif

}  // namespace
