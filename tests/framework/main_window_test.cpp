// The main window's procedure: which hook each message reaches, with which
// values, and what the window answers.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "framework/globals.h"
#include "framework/main_window.h"
#include "framework/system.h"

namespace {

using Extent = std::pair<LONG, LONG>;

// Keeps the last hook call as text, e.g. "Mouse 10 20 1 0".
class RecordingSystem : public CSystem {
  public:
    std::string last;
    std::string all;
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
        last = text;
        all += last + ";";
    }
};

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterMainClass(nullptr);
        ASSERT_EQ(CreateMainWindow(nullptr, SW_SHOWNORMAL), 1);
        window = g_hWnd;
        system.all.clear();
    }
    LRESULT Send(UINT message, WPARAM w, LPARAM l) { return SendMessageA(window, message, w, l); }

    RecordingSystem system;
    HWND window = nullptr;
};

TEST_F(MainWindowTest, MessagesReachTheirHooksWithZeroExtendedHalves) {
    const struct {
        UINT message;
        WPARAM w;
        LPARAM l;
        const char* hook;
    } cases[] = {
        {WM_MOUSEMOVE, 0, MAKELPARAM(0xFFFF, 0x8000), "Mouse 65535 32768 0 0"},
        {WM_LBUTTONDOWN, 0, MAKELPARAM(1, 2), "Mouse 1 2 1 0"},
        {WM_RBUTTONDOWN, 0, MAKELPARAM(3, 4), "Mouse 3 4 1 1"},
        {WM_LBUTTONUP, 0, MAKELPARAM(5, 6), "Mouse 5 6 0 1"},
        {WM_SIZE, 0, MAKELPARAM(0xFFFE, 300), "Size 65534 300"},
        {WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), "Mouse 2 2 0 0"},  // resizing released both
        {WM_RBUTTONDOWN, 0, MAKELPARAM(3, 3), "Mouse 3 3 0 1"},
        {WM_KILLFOCUS, 0, 0, "Mouse 3 3 0 1"},
        {WM_MOUSEMOVE, 0, MAKELPARAM(4, 4), "Mouse 4 4 0 0"},  // so did losing the focus
        {WM_CHAR, 0x82, 0, "Char -126"},  // a Shift-JIS lead byte arrives negative
        {WM_COMMAND, MAKEWPARAM(5, 1), 77, "Command 1 5 77"},
        {WM_USER, 3, 4, "User 3 4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Send(c.message, c.w, c.l), 0) << c.hook;
        EXPECT_EQ(system.last, c.hook);
    }
    EXPECT_EQ(Send(WM_ACTIVATEAPP, 1, 0), 42);  // OnMessage answers
}

TEST_F(MainWindowTest, HitTestsAskTheGameUnlessDraggingByTheClientArea) {
    const LPARAM point = MAKELPARAM(700, 500);
    EXPECT_EQ(Send(WM_NCHITTEST, 0, point), DefWindowProcA(window, WM_NCHITTEST, 0, point));
    EXPECT_EQ(system.last, "HitTest 700 500");
    system.hitTestAnswer = HTCAPTION;
    EXPECT_EQ(Send(WM_NCHITTEST, 0, point), HTCAPTION);

    system.hitTestAnswer = 0;
    system.dragByClient = 1;
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    system.all.clear();
    EXPECT_EQ(Send(WM_NCHITTEST, 0, point), HTCAPTION);
    EXPECT_EQ(system.all, "");
    EXPECT_EQ(g_mouseLeft, 0);
}

TEST_F(MainWindowTest, OnlyAnAllowedCloseEndsTheProgram) {
    // Alt+F4 is the game's key: no default processing turns it into a close.
    EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_F4, 1 << 29), 0);
    EXPECT_EQ(system.last, "SysKeyDown 115");
    system.SetThreaded(0);
    system.PumpMessages();
    system.closeAnswer = 0;
    EXPECT_EQ(Send(WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(g_endFlag, 0);

    system.closeAnswer = 1;
    EXPECT_EQ(Send(WM_CLOSE, 0, 0), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(g_endFlag, 1);
    EXPECT_EQ(system.all, "SysKeyDown 115;Close;Close;Destroy;");
    MSG message{};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(MainWindowTest, FixedSizePinsTheFrameToTheCreationSize) {
    EXPECT_EQ(system.FixedSize(1), 1);
    EXPECT_EQ(system.FixedSize(7), 1);  // other modes only read
    const LONG width = g_windowWidth + 2 * GetSystemMetrics(SM_CXFRAME);
    const LONG height =
        g_windowHeight + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE);
    const auto resize = [&] {
        SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
        RECT rect{};
        GetWindowRect(window, &rect);
        return Extent{rect.right - rect.left, rect.bottom - rect.top};
    };
    EXPECT_EQ(resize(), (Extent{width, height}));

    system.FixedSize(0);
    EXPECT_EQ(resize(), (Extent{300, 200}));
}

TEST_F(MainWindowTest, LongTitleIsCutWithoutSplittingACharacter) {
    std::string title;
    for (int i = 0; i < 50; ++i)
        title += "\x82\xa0";  // 100 bytes of "あ"
    system.SetTitle(title.c_str());
    char shown[256] = {};
    GetWindowTextA(window, shown, sizeof shown);
    EXPECT_EQ(std::string(shown), title.substr(0, 98));
}

}  // namespace
