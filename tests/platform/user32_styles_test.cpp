// Window styles: what creation adds to the styles asked for, the messages
// around a style change, and laying the frame out again.
#include <gtest/gtest.h>

#include "platform/win32.h"
#include "user32_test_window.h"

namespace {

using namespace user32_test;

DWORD Style(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}
DWORD ExStyle(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
}

class User32Styles : public ::testing::Test {
  protected:
    void SetUp() override { Log().Clear(); }
    void TearDown() override { CurrentHook() = nullptr; }
};

TEST_F(User32Styles, CreationAddsClippingCaptionAndEdgeAsWindowsDoes) {
    HWND overlapped = MakeWindow(WS_OVERLAPPED);
    EXPECT_EQ(Style(overlapped) & (WS_CAPTION | WS_CLIPSIBLINGS),
              static_cast<DWORD>(WS_CAPTION | WS_CLIPSIBLINGS));
    EXPECT_NE(ExStyle(overlapped) & WS_EX_WINDOWEDGE, 0u);  // framed: a raised edge

    HWND popup = MakeWindow(WS_POPUP);
    EXPECT_EQ(Style(popup) & (WS_CAPTION | WS_CLIPSIBLINGS), static_cast<DWORD>(WS_CLIPSIBLINGS));
    EXPECT_EQ(ExStyle(popup) & WS_EX_WINDOWEDGE, 0u);

    HWND child = MakeWindow(WS_CHILD, 0, 0, 10, 10, overlapped);
    EXPECT_EQ(Style(child) & (WS_CAPTION | WS_CLIPSIBLINGS), 0u);
    DestroyWindow(overlapped);
    DestroyWindow(popup);
}

TEST_F(User32Styles, AStyleChangeIsAnnouncedAndMayBeAmended) {
    HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW);
    DWORD seenOld = 0, seenNew = 0;
    CurrentHook() = [&](HWND, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
        if (w != static_cast<WPARAM>(GWL_STYLE)) return std::nullopt;
        auto* styles = reinterpret_cast<STYLESTRUCT*>(l);
        if (m == WM_STYLECHANGING) styles->styleNew |= WS_BORDER;  // amended
        if (m == WM_STYLECHANGED) {
            seenOld = styles->styleOld;
            seenNew = styles->styleNew;
        }
        return std::nullopt;
    };
    const DWORD before = Style(hwnd);
    Log().Clear();
    EXPECT_EQ(static_cast<DWORD>(SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(WS_POPUP))),
              before);
    EXPECT_EQ(Log().Of(hwnd, {WM_STYLECHANGING, WM_STYLECHANGED}),
              (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
    // Still a top-level window: it keeps clipping its siblings.
    EXPECT_EQ(seenOld, before);
    EXPECT_EQ(seenNew, static_cast<DWORD>(WS_POPUP | WS_BORDER | WS_CLIPSIBLINGS));
    EXPECT_EQ(Style(hwnd), static_cast<DWORD>(WS_POPUP | WS_BORDER | WS_CLIPSIBLINGS));

    // The extended style is announced the same way.
    Log().Clear();
    SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    EXPECT_EQ(Log().Last(hwnd, WM_STYLECHANGED).wParam, static_cast<WPARAM>(GWL_EXSTYLE));
    DestroyWindow(hwnd);
}

TEST_F(User32Styles, FrameChangedLaysTheNonClientAreaOutAgain) {
    HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    RECT client{};
    GetClientRect(hwnd, &client);
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    EXPECT_LT(client.bottom, outer.bottom - outer.top);  // under a caption

    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_VISIBLE));
    Log().Clear();
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(Log().Of(hwnd, {WM_NCCALCSIZE}).size(), 1u);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.bottom, outer.bottom - outer.top);  // the whole window now
    EXPECT_EQ(client.right, outer.right - outer.left);

    // A plain move needs no new layout.
    Log().Clear();
    SetWindowPos(hwnd, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(Log().Of(hwnd, {WM_NCCALCSIZE}).empty());
    DestroyWindow(hwnd);
}

}  // namespace
