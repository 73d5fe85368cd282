// Emulated geometry: metrics, window and client rectangles, SetWindowPos
// with its messages and size limits, style changes, menu bars, hit tests,
// and what the backend hears of window changes.
#include <gtest/gtest.h>

#include <string>

#include "platform/backend/desktop.h"
#include "platform/win32.h"
#include "tests/platform/recording_backend.h"
#include "user32_test_window.h"

namespace {

using namespace user32_test;
using brannock::test::RecordingBackend;
using brannock::test::RectText;

int Caption() {
    return GetSystemMetrics(SM_CYCAPTION);
}
int MenuBar() {
    return GetSystemMetrics(SM_CYMENU);
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT ClientRect(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

class User32Geometry : public ::testing::Test {
  protected:
    void SetUp() override { Log().Clear(); }
    void TearDown() override { CurrentHook() = nullptr; }
};

TEST_F(User32Geometry, MetricsMakeTheFrameworkSizeSumsExact) {
    const auto desktop = brannock::platform::VirtualDesktop();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), desktop.width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), desktop.height);
    EXPECT_EQ(WindowRect(GetDesktopWindow()).right, desktop.width);
    EXPECT_EQ(GetSystemMetrics(9999), 0);

    // A client size plus the framework's sums of metrics gives that client
    // size back, with and without a menu bar.
    HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const int extraW = GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXDLGFRAME);
    const int extraH = GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYDLGFRAME) +
                       GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE);
    SetWindowPos(hwnd, nullptr, 0, 0, 640 + extraW, 480 + extraH, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(RectText(ClientRect(hwnd)), "0,0,640,480");
    SetMenu(hwnd, CreateMenu());
    SetWindowPos(hwnd, nullptr, 0, 0, 640 + extraW, 480 + extraH + MenuBar(),
                 SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ClientRect(hwnd).bottom, 480);
}

TEST_F(User32Geometry, ClientAreaSitsBelowTheCaptionAndMenu) {
    HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW, 100, 50, 640, 480);
    const RECT w = WindowRect(hwnd);
    EXPECT_EQ(RectText(w), "100,50,740,530");
    EXPECT_EQ(ClientRect(hwnd).bottom, 480 - Caption());
    POINT p{0, 0};
    ClientToScreen(hwnd, &p);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 50 + Caption());
    // The input module's pointer formula lands on the client's corner.
    EXPECT_EQ(
        p.y - w.top - GetSystemMetrics(SM_CYBORDER) - GetSystemMetrics(SM_CYFRAME) - Caption(), 0);
    ScreenToClient(hwnd, &p);
    EXPECT_EQ(p.y, 0);

    HWND popup = MakeWindow(WS_POPUP, 10, 10, 200, 100);
    EXPECT_EQ(ClientRect(popup).bottom, 100);
    HWND child = MakeWindow(WS_CHILD, 5, 6, 20, 20, hwnd);
    const RECT c = WindowRect(child);
    EXPECT_EQ(c.left, 105);
    EXPECT_EQ(c.top, 50 + Caption() + 6);
}

TEST_F(User32Geometry, SetWindowPosReportsOnlyWhatChanged) {
    HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Log().Clear();
    SetWindowPos(hwnd, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(Log().Of(hwnd, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
    EXPECT_EQ(WindowRect(hwnd).right, 300 + 640);
    Log().Clear();
    SetWindowPos(hwnd, nullptr, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Log().Of(hwnd, {WM_MOVE, WM_SIZE}), (std::vector<UINT>{WM_SIZE}));
    EXPECT_EQ(WindowRect(hwnd).left, 300);
    MoveWindow(hwnd, 1, 2, 3000, 40, TRUE);
    // The default track size stops at the screen.
    EXPECT_EQ(WindowRect(hwnd).right - 1, GetSystemMetrics(SM_CXMAXTRACK));
}

TEST_F(User32Geometry, ExtremeCoordinatesAreHeldToASaneRange) {
    HWND hwnd = MakeWindow(WS_POPUP, 0x7FFFFFF0, -0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF);
    ASSERT_NE(hwnd, nullptr);
    RECT r = WindowRect(hwnd);
    EXPECT_GT(r.right, r.left);
    EXPECT_LT(r.top, 0);
    SetWindowPos(hwnd, nullptr, -0x7FFFFFFF, 0x7FFFFFFF, -5, 0x7FFFFFFF, SWP_NOZORDER);
    r = WindowRect(hwnd);
    EXPECT_EQ(r.right, r.left);  // a negative width is none
    POINT p{0x7FFFFFFF, 0x7FFFFFFF};
    EXPECT_TRUE(ClientToScreen(hwnd, &p));
}

TEST_F(User32Geometry, GetMinMaxInfoLimitsTheSize) {
    CurrentHook() = [](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m != WM_GETMINMAXINFO) return std::nullopt;
        auto* info = reinterpret_cast<MINMAXINFO*>(l);
        info->ptMinTrackSize = POINT{400, 300};
        info->ptMaxTrackSize = POINT{500, 350};
        return 0;
    };
    HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW, 0, 0, 640, 480);
    EXPECT_EQ(WindowRect(hwnd).right, 500);  // limited at creation already
    SetWindowPos(hwnd, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(WindowRect(hwnd).right, 400);
    EXPECT_EQ(WindowRect(hwnd).bottom, 300);
    // A pop-up without sizing frame is not asked.
    HWND popup = MakeWindow(WS_POPUP, 0, 0, 640, 480);
    EXPECT_EQ(WindowRect(popup).right, 640);
}

TEST_F(User32Geometry, AStyleChangeReachesTheFrameWhenItIsLaidOutAgain) {
    HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480);
    const LONG old = SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(static_cast<DWORD>(old) & (WS_OVERLAPPEDWINDOW | WS_VISIBLE),
              static_cast<DWORD>(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    // Still shown, and the frame is unchanged until SWP_FRAMECHANGED.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)),
              static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS));
    EXPECT_EQ(ClientRect(hwnd).bottom, 480 - Caption());
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(ClientRect(hwnd).bottom, 480);
    // A new size lays the frame out too.
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(WS_OVERLAPPEDWINDOW));
    SetWindowPos(hwnd, nullptr, 0, 0, 640, 500, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ClientRect(hwnd).bottom, 500 - Caption());
}

TEST_F(User32Geometry, AMenuBarTakesItsHeightFromTheClientAreaUntilItGoes) {
    HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480);
    HMENU menu = CreateMenu();
    Log().Clear();
    ASSERT_TRUE(SetMenu(hwnd, menu));
    EXPECT_EQ(GetMenu(hwnd), menu);
    EXPECT_EQ(WindowRect(hwnd).bottom, 480);
    EXPECT_EQ(ClientRect(hwnd).bottom, 480 - Caption() - MenuBar());
    EXPECT_EQ(Log().Of(hwnd, {WM_SIZE}).size(), 1u);
    ASSERT_TRUE(SetMenu(hwnd, nullptr));
    EXPECT_EQ(ClientRect(hwnd).bottom, 480 - Caption());
    EXPECT_TRUE(IsMenu(menu));  // detaching does not destroy it
    HWND child = MakeWindow(WS_CHILD, 0, 0, 10, 10, hwnd);
    EXPECT_FALSE(SetMenu(child, menu));

    // Destroying an attached menu detaches it; a window takes its menu along.
    SetMenu(hwnd, menu);
    ASSERT_TRUE(DestroyMenu(menu));
    EXPECT_EQ(GetMenu(hwnd), nullptr);
    EXPECT_EQ(ClientRect(hwnd).bottom, 480 - Caption());
    HMENU second = CreateMenu();
    SetMenu(hwnd, second);
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsMenu(second));
}

TEST_F(User32Geometry, HitTestsFollowTheLayout) {
    HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
    SetMenu(hwnd, CreateMenu());
    auto hit = [&](int x, int y) {
        return DefWindowProcA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    };
    EXPECT_EQ(hit(200, 200), HTCLIENT);
    EXPECT_EQ(hit(200, 105), HTCAPTION);
    EXPECT_EQ(hit(200, 125), HTMENU);
    EXPECT_EQ(hit(495, 105), HTCLOSE);
    EXPECT_EQ(hit(50, 50), HTNOWHERE);
}

TEST_F(User32Geometry, TheBackendHearsOfTopLevelWindowsAndMessageBoxes) {
    RecordingBackend& backend = RecordingBackend::Install();
    HWND hwnd = MakeWindow();
    MakeWindow(WS_CHILD, 0, 0, 10, 10, hwnd);  // children are not host windows
    ShowWindow(hwnd, SW_SHOW);
    SetWindowTextA(hwnd, "Sample");
    SetMenu(hwnd, CreateMenu());
    // Code page 932 "警告" reaches the backend as UTF-8.
    EXPECT_EQ(MessageBoxA(hwnd, "x", "\x8c\x78\x8d\x90", MB_OK), IDOK);
    DestroyWindow(hwnd);
    EXPECT_EQ(backend.Events(),
              (std::vector<std::string>{"created", "changed test", "changed Sample",
                                        "changed Sample", "box \xe8\xad\xa6\xe5\x91\x8a: x",
                                        "changed Sample", "destroyed"}));
}

}  // namespace
