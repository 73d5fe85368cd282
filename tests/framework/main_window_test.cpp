// The main window's procedure: which hook each message reaches, with which
// values, and what the window answers; and the pumps that feed it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/globals.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"
#include "tests/support/windows.h"

namespace {

using brannock::test::SizeOf;

// Notes each hook call as text, e.g. "Mouse 10 20 1 0;".
class RecordingSystem : public CSystem {
  public:
    std::string calls;
    int closeAnswer = 1;
    int hitTestAnswer = 0;

    int OnClose() override { return Record("Close"), closeAnswer; }
    int OnHitTest(int x, int y) override { return Record("HitTest %d %d", x, y), hitTestAnswer; }
    void OnCommand(int code, int id, HWND control) override {
        Record("Command %d %d %d", code, id, static_cast<int>(reinterpret_cast<INT_PTR>(control)));
    }
    void OnUser(WPARAM w, LPARAM l) override {
        Record("User %d %d", static_cast<int>(w), static_cast<int>(l));
    }
    void OnSize(int width, int height) override { Record("Size %d %d", width, height); }
    void OnChar(int c) override { Record("Char %d", c); }
    void OnMouse(int x, int y, int l, int r) override { Record("Mouse %d %d %d %d", x, y, l, r); }
    LRESULT OnMessage(UINT, WPARAM, LPARAM) override { return Record("Message"), 42; }
    void OnDestroy() override { Record("Destroy"); }
    void OnSysKeyDown(int key) override { Record("SysKeyDown %d", key); }

  private:
    template <typename... Args>
    void Record(const char* format, Args... args) {
        char text[64];
        std::snprintf(text, sizeof text, format, args...);
        calls = calls + text + ";";
    }
};

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(window = brannock::test::OpenMainWindow(), nullptr); }
    // The hook calls that sending the message made, and its answer.
    std::string Send(UINT message, WPARAM w, LPARAM l, LRESULT* answer = nullptr) {
        system.calls.clear();
        const LRESULT result = SendMessageA(window, message, w, l);
        if (answer) *answer = result;
        return system.calls;
    }

    RecordingSystem system;
    HWND window = nullptr;
};

TEST_F(MainWindowTest, MessagesReachTheirHooksWithZeroExtendedHalves) {
    const struct {
        UINT message;
        WPARAM w;
        LPARAM l;
        const char* calls;
    } cases[] = {
        {WM_MOUSEMOVE, 0, MAKELPARAM(0xFFFF, 0x8000), "Mouse 65535 32768 0 0;"},
        {WM_LBUTTONDOWN, 0, MAKELPARAM(1, 2), "Mouse 1 2 1 0;"},
        {WM_RBUTTONDOWN, 0, MAKELPARAM(3, 4), "Mouse 3 4 1 1;"},
        {WM_LBUTTONUP, 0, MAKELPARAM(5, 6), "Mouse 5 6 0 1;"},
        {WM_SIZE, 0, MAKELPARAM(0xFFFE, 300), "Size 65534 300;"},
        {WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), "Mouse 2 2 0 0;"},  // resizing released both
        {WM_RBUTTONDOWN, 0, MAKELPARAM(3, 3), "Mouse 3 3 0 1;"},
        {WM_KILLFOCUS, 0, 0, ""},
        {WM_MOUSEMOVE, 0, MAKELPARAM(4, 4), "Mouse 4 4 0 0;"},  // so did losing the focus
        {WM_CHAR, 0x82, 0, "Char -126;"},  // a Shift-JIS lead byte arrives negative
        {WM_COMMAND, MAKEWPARAM(5, 1), 77, "Command 1 5 77;"},
        {WM_USER, 3, 4, "User 3 4;"},
        // Alt+F4 is the game's key: no default processing turns it into a close.
        {WM_SYSKEYDOWN, VK_F4, 1 << 29, "SysKeyDown 115;"},
    };
    for (const auto& c : cases) {
        LRESULT answer = -1;
        EXPECT_EQ(Send(c.message, c.w, c.l, &answer), c.calls);
        EXPECT_EQ(answer, 0) << c.calls;
    }
    LRESULT answer = 0;
    EXPECT_EQ(Send(WM_ACTIVATEAPP, 1, 0, &answer), "Message;");
    EXPECT_EQ(answer, 42);

    system.calls.clear();
    system.SetThreaded(0);
    system.PumpMessages();  // nothing the messages above left queued closes the window
    EXPECT_EQ(system.calls, "");
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(MainWindowTest, HitTestsAskTheGameUnlessDraggingByTheClientArea) {
    const LPARAM point = MAKELPARAM(700, 500);
    LRESULT answer = 0;
    EXPECT_EQ(Send(WM_NCHITTEST, 0, point, &answer), "HitTest 700 500;");
    EXPECT_EQ(answer, DefWindowProcA(window, WM_NCHITTEST, 0, point));
    system.hitTestAnswer = HTCAPTION;
    Send(WM_NCHITTEST, 0, point, &answer);
    EXPECT_EQ(answer, HTCAPTION);

    system.hitTestAnswer = 0;
    system.dragByClient = 1;
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(Send(WM_NCHITTEST, 0, point, &answer), "");
    EXPECT_EQ(answer, HTCAPTION);
    EXPECT_EQ(g_mouseLeft, 0);
}

TEST_F(MainWindowTest, OnlyAnAllowedCloseEndsTheProgram) {
    system.closeAnswer = 0;
    LRESULT answer = -1;
    EXPECT_EQ(Send(WM_CLOSE, 0, 0, &answer), "Close;");
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(g_endFlag, 0);

    system.closeAnswer = 1;
    EXPECT_EQ(Send(WM_CLOSE, 0, 0, &answer), "Close;Destroy;");
    EXPECT_EQ(answer, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(g_endFlag, 1);
    MSG message{};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

// Threaded, a pump leaves the queue to the window thread; single-threaded, it
// handles what comes before a WM_QUIT and leaves what comes after it queued.
TEST_F(MainWindowTest, PumpsStopAtAQuitAndLeaveLaterMessagesQueued) {
    for (auto pump : {&CSystem::PumpMessages, &CSystem::PumpMessagesWait}) {
        g_endFlag = 0;
        system.calls.clear();
        system.SetThreaded(1);
        PostMessageA(window, WM_USER, 1, 0);
        EXPECT_EQ((system.*pump)(), 1);
        EXPECT_EQ(system.calls, "");

        system.SetThreaded(0);
        PostMessageA(window, WM_QUIT, 0, 0);
        PostMessageA(window, WM_USER, 2, 0);
        EXPECT_EQ((system.*pump)(), 0);
        EXPECT_EQ(g_endFlag, 1);
        EXPECT_EQ(system.calls, "User 1 0;");
        MSG later{};
        EXPECT_TRUE(PeekMessageA(&later, nullptr, WM_USER, WM_USER, PM_REMOVE));
        EXPECT_EQ(later.wParam, 2u);
    }
}

TEST_F(MainWindowTest, FixedSizePinsTheFrameToTheCreationSize) {
    EXPECT_EQ(system.FixedSize(1), 1);
    EXPECT_EQ(system.FixedSize(7), 1);  // other modes only read
    const auto resize = [&] {
        SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
        return SizeOf(window);
    };
    EXPECT_EQ(resize(), (SIZE{g_windowWidth + 2 * GetSystemMetrics(SM_CXFRAME),
                              g_windowHeight + 2 * GetSystemMetrics(SM_CYFRAME) +
                                  GetSystemMetrics(SM_CYSIZE)}));
    system.FixedSize(0);
    EXPECT_EQ(resize(), (SIZE{300, 200}));
}

TEST_F(MainWindowTest, LongTitleIsCutWithoutSplittingACharacter) {
    std::string title;
    for (int i = 0; i < 50; ++i)
        title += "\x82\xa0";  // 100 bytes of "あ"
    system.SetTitle(title.c_str());
    EXPECT_EQ(brannock::test::WindowText(window), title.substr(0, 98));
}

}  // namespace
