// The main window's procedure: which hook each message reaches, with which
// values, and what the window answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "framework/globals.h"
#include "framework/main_window.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"

namespace {

using brannock::test::PumpUntil;

// Records each hook call as text, e.g. "OnMouse 10 20 1 0".
class RecordingSystem : public CSystem {
  public:
    std::vector<std::string> calls;
    int closeAnswer = 1;
    int hitTestAnswer = 0;
    std::atomic<DWORD> userThread{0};

    std::string Last() const { return calls.empty() ? "" : calls.back(); }

    int OnClose() override {
        Record("OnClose");
        return closeAnswer;
    }
    void OnCommand(int notifyCode, int id, HWND control) override {
        Record("OnCommand %d %d %lld", notifyCode, id,
               static_cast<long long>(reinterpret_cast<INT_PTR>(control)));
    }
    int OnHitTest(int x, int y) override {
        Record("OnHitTest %d %d", x, y);
        return hitTestAnswer;
    }
    void OnKillFocus() override { Record("OnKillFocus"); }
    void OnTimer(UINT_PTR id) override { Record("OnTimer %u", static_cast<unsigned>(id)); }
    void OnUser(WPARAM wParam, LPARAM lParam) override {
        userThread = GetCurrentThreadId();
        Record("OnUser %d %d", static_cast<int>(wParam), static_cast<int>(lParam));
    }
    void OnKeyDown(int key) override { Record("OnKeyDown %d", key); }
    void OnKeyUp(int key) override { Record("OnKeyUp %d", key); }
    void OnMove(int x, int y) override { Record("OnMove %d %d", x, y); }
    void OnSize(int width, int height) override { Record("OnSize %d %d", width, height); }
    void OnChar(int character) override { Record("OnChar %d", character); }
    void OnMouse(int x, int y, int left, int right) override {
        Record("OnMouse %d %d %d %d", x, y, left, right);
    }
    LRESULT OnMessage(UINT message, WPARAM, LPARAM) override {
        Record("OnMessage 0x%x", message);
        return 42;
    }
    void OnDestroy() override { Record("OnDestroy"); }
    void OnActivate(int minimized) override { Record("OnActivate %d", minimized); }
    void OnGetMinMaxInfo() override { Record("OnGetMinMaxInfo"); }
    void OnMciNotify() override { Record("OnMciNotify"); }
    void OnSysKeyDown(int key) override { Record("OnSysKeyDown %d", key); }
    void OnSysKeyUp(int key) override { Record("OnSysKeyUp %d", key); }

  private:
    template <typename... Args>
    void Record(const char* format, Args... args) {
        char text[128];
        std::snprintf(text, sizeof text, format, args...);
        calls.emplace_back(text);
    }
};

// The main window, created on the test thread as Run creates it.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterMainClass(nullptr);
        ASSERT_EQ(CreateMainWindow(nullptr, SW_SHOWNORMAL), 1);
        window = g_hWnd;
        system.calls.clear();
    }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(window, message, wParam, lParam);
    }

    SIZE WindowSize() {
        RECT rect{};
        GetWindowRect(window, &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }

    RecordingSystem system;
    HWND window = nullptr;
};

TEST_F(MainWindowTest, IsCentredOnTheDesktopWithTheFirstTitle) {
    RECT desktop{};
    RECT rect{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, (desktop.right - 640) / 2);
    EXPECT_EQ(rect.top, (desktop.bottom - 480) / 2);
    EXPECT_EQ(WindowSize().cx, 640);
    EXPECT_EQ(WindowSize().cy, 480);

    char title[100] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Sample");
}

TEST_F(MainWindowTest, MouseMessagesStorePositionAndButtons) {
    // Halves are zero-extended: 0xFFFF is 65535, not -1.
    EXPECT_EQ(Send(WM_MOUSEMOVE, 0, MAKELPARAM(0xFFFF, 0x8000)), 0);
    EXPECT_EQ(system.Last(), "OnMouse 65535 32768 0 0");
    EXPECT_EQ(g_mouseX, 65535);
    EXPECT_EQ(g_mouseY, 32768);

    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
    EXPECT_EQ(system.Last(), "OnMouse 10 20 1 0");
    Send(WM_RBUTTONDOWN, 0, MAKELPARAM(11, 21));
    EXPECT_EQ(system.Last(), "OnMouse 11 21 1 1");
    Send(WM_LBUTTONUP, 0, MAKELPARAM(12, 22));
    EXPECT_EQ(system.Last(), "OnMouse 12 22 0 1");
    Send(WM_RBUTTONUP, 0, MAKELPARAM(13, 23));
    EXPECT_EQ(system.Last(), "OnMouse 13 23 0 0");
    EXPECT_EQ(Send(WM_MOUSEWHEEL, 0, MAKELPARAM(1, 1)), 0);
    EXPECT_EQ(system.Last(), "OnMouse 13 23 0 0");

    system.ResetMouse();
    EXPECT_EQ(g_mouseX + g_mouseY + g_mouseLeft + g_mouseRight, 0);
}

TEST_F(MainWindowTest, FocusLossAndResizingReleaseTheButtons) {
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    Send(WM_RBUTTONDOWN, 0, MAKELPARAM(1, 1));
    Send(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(system.Last(), "OnKillFocus");
    // A release outside the window never arrives; the state is already clear.
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(system.Last(), "OnMouse 2 2 0 0");

    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(3, 3));
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(0xFFFE, 300));
    EXPECT_EQ(system.Last(), "OnSize 65534 300");
    EXPECT_EQ(g_mouseLeft, 0);
}

TEST_F(MainWindowTest, KeyAndCommandMessagesReachTheirHooks) {
    Send(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(system.Last(), "OnKeyDown 27");
    Send(WM_KEYUP, VK_F1, 0);
    EXPECT_EQ(system.Last(), "OnKeyUp 112");
    // Characters are signed bytes: a Shift-JIS lead byte arrives negative.
    Send(WM_CHAR, 0x82, 0);
    EXPECT_EQ(system.Last(), "OnChar -126");
    Send(WM_CHAR, 0x141, 0);
    EXPECT_EQ(system.Last(), "OnChar 65");
    Send(WM_COMMAND, MAKEWPARAM(5, 1), 0x1234);
    EXPECT_EQ(system.Last(), "OnCommand 1 5 4660");
    Send(WM_MOVE, 0, MAKELPARAM(0xFFFB, 7));
    EXPECT_EQ(system.Last(), "OnMove 65531 7");
    Send(WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), 0);
    EXPECT_EQ(system.Last(), "OnActivate 1");
    Send(WM_TIMER, 7, 0);
    EXPECT_EQ(system.Last(), "OnTimer 7");
    Send(MM_MCINOTIFY, 0, 0);
    EXPECT_EQ(system.Last(), "OnMciNotify");
}

TEST_F(MainWindowTest, OnlyWmUserItselfReachesOnUser) {
    EXPECT_EQ(Send(WM_USER, 3, 4), 0);
    EXPECT_EQ(system.Last(), "OnUser 3 4");
    system.calls.clear();
    Send(WM_USER + 1, 5, 6);
    EXPECT_TRUE(system.calls.empty());
}

TEST_F(MainWindowTest, OnMessageAnswersForItsMessages) {
    for (UINT message :
         {WM_ACTIVATEAPP, WM_DROPFILES, WM_CUT, WM_COPY, WM_DRAWCLIPBOARD, WM_CHANGECBCHAIN}) {
        EXPECT_EQ(Send(message, 0, 0), 42);
        char expected[32];
        std::snprintf(expected, sizeof expected, "OnMessage 0x%x", message);
        EXPECT_EQ(system.Last(), expected);
    }
}

TEST_F(MainWindowTest, SystemKeysGetNoDefaultProcessing) {
    constexpr LPARAM kAltDown = 1 << 29;
    EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_F4, kAltDown), 0);
    EXPECT_EQ(system.Last(), "OnSysKeyDown 115");
    EXPECT_EQ(Send(WM_SYSKEYUP, VK_F4, kAltDown), 0);
    EXPECT_EQ(system.Last(), "OnSysKeyUp 115");
    Send(WM_SYSKEYDOWN, VK_F10, 0);
    EXPECT_EQ(system.Last(), "OnSysKeyDown 121");

    // Alt+F4 does not close: nothing turns into WM_CLOSE.
    PumpUntil([] { return false; }, 100);
    EXPECT_TRUE(IsWindow(window));
    for (const std::string& call : system.calls)
        EXPECT_NE(call, "OnClose");
}

TEST_F(MainWindowTest, HitTestsAskTheGameBeforeTheSystem) {
    const LPARAM point = MAKELPARAM(700, 500);
    const LRESULT systemAnswer = DefWindowProcA(window, WM_NCHITTEST, 0, point);
    EXPECT_EQ(Send(WM_NCHITTEST, 0, point), systemAnswer);
    EXPECT_EQ(system.Last(), "OnHitTest 700 500");

    system.hitTestAnswer = HTCAPTION;
    EXPECT_EQ(Send(WM_NCHITTEST, 0, point), HTCAPTION);

    // Dragging by the client area answers caption everywhere, without asking.
    system.hitTestAnswer = 0;
    system.dragByClient = 1;
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    system.calls.clear();
    EXPECT_EQ(Send(WM_NCHITTEST, 0, point), HTCAPTION);
    EXPECT_TRUE(system.calls.empty());
    EXPECT_EQ(g_mouseLeft, 0);
}

TEST_F(MainWindowTest, RefusedCloseKeepsTheWindow) {
    system.closeAnswer = 0;
    EXPECT_EQ(Send(WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(g_endFlag, 0);
}

TEST_F(MainWindowTest, AllowedCloseDestroysTheWindowAndEndsTheProgram) {
    EXPECT_EQ(Send(WM_CLOSE, 0, 0), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(g_endFlag, 1);
    EXPECT_NE(std::find(system.calls.begin(), system.calls.end(), "OnDestroy"), system.calls.end());
    MSG message{};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(MainWindowTest, FixedSizePinsTheFrameToTheCreationSize) {
    EXPECT_EQ(system.FixedSize(1), 1);
    EXPECT_EQ(system.FixedSize(7), 1);  // other modes only read
    const int width = g_windowWidth + 2 * GetSystemMetrics(SM_CXFRAME);
    const int height =
        g_windowHeight + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE);

    SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(WindowSize().cx, width);
    EXPECT_EQ(WindowSize().cy, height);
    EXPECT_NE(std::find(system.calls.begin(), system.calls.end(), "OnGetMinMaxInfo"),
              system.calls.end());

    // With a menu attached the pinned height includes the menu bar.
    HMENU menu = CreateMenu();
    InsertMenuA(menu, 0, MF_STRING, 1, "File");
    SetMenu(window, menu);
    SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(WindowSize().cy, height + GetSystemMetrics(SM_CYMENU));

    EXPECT_EQ(system.FixedSize(0), 0);
    SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(WindowSize().cx, 300);
    EXPECT_EQ(WindowSize().cy, 200);
}

TEST_F(MainWindowTest, MessagesSentFromAnotherThreadRunOnTheWindowThread) {
    std::atomic<LRESULT> result{-1};
    std::jthread sender([&] { result = SendMessageA(window, WM_USER, 8, 9); });
    EXPECT_TRUE(PumpUntil([&] { return result != -1; }));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(system.userThread, GetCurrentThreadId());
    EXPECT_EQ(system.Last(), "OnUser 8 9");
}

TEST_F(MainWindowTest, LongTitleIsCutWithoutSplittingACharacter) {
    // 50 double-byte characters (100 bytes) do not fit 99 bytes: 49 remain.
    std::string title;
    for (int i = 0; i < 50; ++i)
        title += "\x82\xa0";  // "あ"
    system.SetTitle(title.c_str());
    EXPECT_EQ(std::string(g_title), title.substr(0, 98));

    char shown[256] = {};
    GetWindowTextA(window, shown, sizeof shown);
    EXPECT_EQ(std::string(shown), title.substr(0, 98));

    system.SetTitle("");  // an empty text only re-applies the title
    GetWindowTextA(window, shown, sizeof shown);
    EXPECT_EQ(std::string(shown), title.substr(0, 98));
}

}  // namespace
