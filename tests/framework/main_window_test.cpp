// The main window: which hook each message reaches and what the window
// answers, the pumps that feed it, its title, size, place and menus.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <regex>
#include <string>
#include <thread>

#include "framework/globals.h"
#include "framework/menu.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"

namespace {

using brannock::test::OpenMainWindow;
using brannock::test::SizeOf;
using brannock::test::TopLeft;

SIZE ClientSizeOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

// Notes each hook call as text, e.g. "Mouse 10 20 1 0;".
class RecordingSystem : public CSystem {
  public:
    std::string calls;
    int allowClose = 0;

    int OnClose() override { return Record("Close"), allowClose; }
    // Claims the caption at x = 1; other points are left to the system.
    int OnHitTest(int x, int y) override {
        return Record("HitTest %d %d", x, y), x == 1 ? HTCAPTION : 0;
    }
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
    void SetUp() override { ASSERT_NE(window = OpenMainWindow(), nullptr); }
    // The hook calls that sending the message made, then "=" and its answer.
    std::string Send(UINT message, WPARAM w, LPARAM l) {
        system.calls.clear();
        const LRESULT answer = SendMessageA(window, message, w, l);
        return system.calls + "=" + std::to_string(answer);
    }

    RecordingSystem system;
    HWND window = nullptr;
};

TEST_F(MainWindowTest, MessagesReachTheirHooksWithZeroExtendedHalves) {
    // The pointer away from the window, which would hear its moves, and
    // what the window's start left queued handled first.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    system.SetThreaded(0);
    system.PumpMessages();
    const struct {
        UINT message;
        WPARAM w;
        LPARAM l;
        std::string result;
    } cases[] = {
        {WM_MOUSEMOVE, 0, MAKELPARAM(0xFFFF, 0x8000), "Mouse 65535 32768 0 0;=0"},
        {WM_LBUTTONDOWN, 0, MAKELPARAM(1, 2), "Mouse 1 2 1 0;=0"},
        {WM_RBUTTONDOWN, 0, MAKELPARAM(3, 4), "Mouse 3 4 1 1;=0"},
        {WM_LBUTTONUP, 0, MAKELPARAM(5, 6), "Mouse 5 6 0 1;=0"},
        {WM_SIZE, 0, MAKELPARAM(0xFFFE, 300), "Size 65534 300;=0"},
        {WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), "Mouse 2 2 0 0;=0"},  // resizing released both
        {WM_RBUTTONDOWN, 0, MAKELPARAM(3, 3), "Mouse 3 3 0 1;=0"},
        {WM_KILLFOCUS, 0, 0, "=0"},
        {WM_MOUSEMOVE, 0, MAKELPARAM(4, 4), "Mouse 4 4 0 0;=0"},  // so did losing the focus
        {WM_CHAR, 0x82, 0, "Char -126;=0"},  // a Shift-JIS lead byte arrives negative
        {WM_COMMAND, MAKEWPARAM(5, 1), 77, "Command 1 5 77;=0"},
        {WM_USER, 3, 4, "User 3 4;=0"},
        {WM_CLOSE, 0, 0, "Close;=0"},  // refused: the window stays
        {WM_ACTIVATEAPP, 1, 0, "Message;=42"},
        {WM_NCHITTEST, 0, MAKELPARAM(1, 9), "HitTest 1 9;=2"},          // HTCAPTION
        {WM_NCHITTEST, 0, MAKELPARAM(200, 100), "HitTest 200 100;=1"},  // the system's HTCLIENT
        // Alt+F4 is the game's key: no default processing turns it into a close.
        {WM_SYSKEYDOWN, VK_F4, 1 << 29, "SysKeyDown 115;=0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Send(c.message, c.w, c.l), c.result);

    system.calls.clear();
    system.SetThreaded(0);
    system.PumpMessages();  // nothing the messages above left queued closes the window
    EXPECT_EQ(system.calls, "");
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(g_endFlag, 0);
}

TEST_F(MainWindowTest, DraggingByTheClientAreaAsksNoHitTestAndReleasesTheButtons) {
    system.dragByClient = 1;
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(Send(WM_NCHITTEST, 0, MAKELPARAM(700, 500)), "=2");  // HTCAPTION
    EXPECT_EQ(g_mouseLeft, 0);
}

TEST_F(MainWindowTest, AnAllowedCloseDestroysTheWindowAndEndsTheProgram) {
    system.allowClose = 1;
    // Between the two, the system tells the game it loses the activation
    // (WM_ACTIVATEAPP, through OnMessage), and Windows may tell it more.
    EXPECT_TRUE(std::regex_match(Send(WM_CLOSE, 0, 0), std::regex("Close;(Message;)+Destroy;=1")))
        << system.calls;
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
        // Windows may have messages of its own for the window in the queue.
        EXPECT_TRUE(std::regex_match(system.calls, std::regex("(Message;)*User 1 0;(Message;)*")))
            << system.calls;
        MSG later{};
        EXPECT_TRUE(PeekMessageA(&later, nullptr, WM_USER, WM_USER, PM_REMOVE));
        EXPECT_EQ(later.wParam, 2u);
    }
}

TEST_F(MainWindowTest, LongTitleIsCutWithoutSplittingACharacter) {
    std::string title;
    for (int i = 0; i < 50; ++i)
        title += "\x82\xa0";  // 100 bytes of "あ"
    system.SetTitle(title.c_str());
    EXPECT_EQ(brannock::test::WindowText(window), title.substr(0, 98));
}

TEST_F(MainWindowTest, TitlesSetFromTwoThreadsAtOnceStayWhole) {
    // The game thread and the window thread both set titles.
    const std::string a(60, 'a'), b(40, 'b');
    std::atomic<bool> done{false};
    std::thread other([&] {
        for (int i = 0; i < 200; ++i)
            system.SetTitle(a.c_str());
        done = true;
    });
    // Its sends are served while this thread pumps.
    for (int i = 0; i < 200 || !done; ++i) {
        if (i < 200) system.SetTitle(b.c_str());
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    other.join();
    const std::string shown = brannock::test::WindowText(window);
    EXPECT_TRUE(shown == a || shown == b) << shown;
}

TEST_F(MainWindowTest, FixedSizePinsTheFrameToTheCreationSize) {
    EXPECT_EQ(system.FixedSize(1), 1);
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

// The texts of a menu's items, each followed by '|'.
std::string Texts(HMENU menu) {
    std::string texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        texts = texts + text + "|";
    }
    return texts;
}

const MenuItem kFileItems[] = {
    {"Open", 101, nullptr, 0, MF_STRING},
    {"", 0, nullptr, 0, MF_SEPARATOR},
    {"About", 0, nullptr, 0, MF_STRING},
    {"Exit", 102, nullptr, 0, MF_STRING | MF_GRAYED},
};
const MenuItem kBar[] = {
    {"File", 1, kFileItems, 4, MF_STRING},  // a popup, whatever its id and flags
    {"Pause", 2, nullptr, 0, MF_STRING},
    {"Empty", 3, kFileItems, 0, MF_STRING},  // no records: a command
};

TEST_F(MainWindowTest, ClientSizeFitsTheWindowAroundItCentredAndRaisedForAMenu) {
    const SIZE desktop = SizeOf(GetDesktopWindow());
    EXPECT_NE(system.SetClientSize(640, 480), 0);
    EXPECT_EQ(ClientSizeOf(window), (SIZE{640, 480}));
    EXPECT_EQ(TopLeft(window), (POINT{(desktop.cx - 640) / 2, (desktop.cy - 480) / 2}));

    SetMenu(window, system.BuildMenu(kBar, 2, 0));
    system.SetClientSize(320, 200);
    EXPECT_EQ(ClientSizeOf(window), (SIZE{320, 200}));
    EXPECT_EQ(TopLeft(window).y, (desktop.cy - 200) / 2 - 16);

    system.centreOnResize = 0;  // keeps its place, changes its size
    SetWindowPos(window, nullptr, 33, 44, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    system.SetClientSize(300, 250);
    EXPECT_EQ(ClientSizeOf(window), (SIZE{300, 250}));
    EXPECT_EQ(TopLeft(window), (POINT{33, 44}));

    EXPECT_NE(system.MoveWindowTo(70, 90), 0);
    EXPECT_EQ(TopLeft(window), (POINT{70, 90}));
}

TEST(MainWindow, BeforeTheWindowExistsClientSizeChangesTheCreationSize) {
    CSystem system;
    system.SetWindowRect(10, 20, 500, 400);
    system.SetWindowStyle(WS_POPUP | WS_BORDER);
    EXPECT_EQ(system.MoveWindowTo(1, 1), 0);
    EXPECT_EQ(system.SetMenuHandle(nullptr), 0);
    EXPECT_EQ(system.SetClientSize(-1, -1), 0);  // the creation size itself
    EXPECT_EQ(system.SetClientSize(0, 0), 0);    // remembered, not applied
    EXPECT_EQ(system.SetClientSize(300, -1), 0);

    HWND window = OpenMainWindow();
    EXPECT_EQ(TopLeft(window), (POINT{10, 20}));
    EXPECT_EQ(SizeOf(window), (SIZE{300, 400}));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_POPUP,
              static_cast<DWORD>(WS_POPUP));
    system.SetClientSize(-1, -1);  // the size asked for last, as a client size
    EXPECT_EQ(ClientSizeOf(window), (SIZE{300, 0}));
}

TEST_F(MainWindowTest, BuildMenuKeepsTableOrderAndMakesSubTablesPopups) {
    EXPECT_EQ(system.BuildMenu(kBar, 0, 0), nullptr);
    EXPECT_EQ(system.BuildMenu(nullptr, 2, 0), nullptr);
    HMENU bar = system.BuildMenu(kBar, 3, 0);
    EXPECT_EQ(Texts(bar), "File|Pause|Empty|");
    EXPECT_EQ(GetSubMenu(bar, 2), nullptr);
    EXPECT_EQ(GetMenuItemID(bar, 2), 3u);

    // Items with the id 0 do not pull later ones in front of them.
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(Texts(file), "Open||About|Exit|");
    EXPECT_EQ(GetMenuItemID(file, 3), 102u);
    EXPECT_NE(GetMenuState(file, 3, MF_BYPOSITION) & MF_GRAYED, 0u);

    MenuItem loop = {"Loop", 7, nullptr, 1, MF_STRING};  // refers to itself
    loop.sub = &loop;
    EXPECT_NE(system.BuildMenu(&loop, 1, 1), nullptr);
}

TEST_F(MainWindowTest, AttachingAMenuRefitsTheWindowAndDestroysTheMenuReplaced) {
    system.SetClientSize(400, 300);
    HMENU first = system.BuildMenu(kBar, 2, 0);
    EXPECT_NE(system.SetMenuHandle(first), 0);
    EXPECT_EQ(GetMenu(window), first);
    EXPECT_EQ(ClientSizeOf(window), (SIZE{400, 300}));

    system.SetMenuHandle(first);  // the attached menu again stays alive
    EXPECT_TRUE(IsMenu(first));
    HMENU second = system.BuildMenu(kFileItems, 4, 0);
    system.SetMenuHandle(second);
    EXPECT_FALSE(IsMenu(first));
    system.SetMenuHandle(nullptr);
    EXPECT_FALSE(IsMenu(second));
    EXPECT_EQ(ClientSizeOf(window), (SIZE{400, 300}));

    system.SetMenuHandle(system.BuildMenu(kBar, 2, 0));
    system.SetMenuByName("NO_SUCH_MENU");  // the program has no menu resources
    EXPECT_EQ(system.menu, nullptr);
    EXPECT_EQ(GetMenu(window), nullptr);
}

}  // namespace
