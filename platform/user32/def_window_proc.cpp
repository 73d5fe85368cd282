// DefWindowProcA: the default processing the framework relies on (closing,
// the system close command, Alt+F4, hit tests from the emulated geometry,
// size limits, WM_SIZE / WM_MOVE after a change, painting and erasing, the
// title) and CallWindowProcA.
#include <algorithm>
#include <cstring>

#include "platform/backend/backend.h"
#include "platform/user32/geometry.h"
#include "platform/user32/messaging.h"
#include "platform/user32/window_ops.h"
#include "platform/win32.h"

using namespace brannock::platform::user32;

namespace {

constexpr LPARAM kAltDownBit = 1 << 29;

LRESULT HitTest(HWND hwnd, LPARAM lParam) {
    const int x = static_cast<SHORT>(LOWORD(lParam));
    const int y = static_cast<SHORT>(HIWORD(lParam));
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(hwnd);
    if (!w) return HTNOWHERE;
    const POINT origin = ParentOrigin(state, *w);
    const RECT outer{origin.x + w->rect.left, origin.y + w->rect.top, origin.x + w->rect.right,
                     origin.y + w->rect.bottom};
    if (x < outer.left || x >= outer.right || y < outer.top || y >= outer.bottom) return HTNOWHERE;
    const RECT client = ClientArea(*w);
    if (y >= outer.top + client.top) return HTCLIENT;
    const bool captioned = (w->frameStyle & WS_CAPTION) == WS_CAPTION;
    const int caption = captioned ? GetSystemMetrics(SM_CYCAPTION) : 0;
    if (y >= outer.top + caption) return HTMENU;
    // Caption buttons, each a size box wide: close at the right end, then
    // maximize and minimize; the system menu at the left end.
    const int box = GetSystemMetrics(SM_CXSIZE);
    if (w->frameStyle & WS_SYSMENU) {
        if (x >= outer.right - box) return HTCLOSE;
        if (x < outer.left + box) return HTSYSMENU;
        if ((w->frameStyle & WS_MAXIMIZEBOX) && x >= outer.right - 2 * box) return HTMAXBUTTON;
        if ((w->frameStyle & WS_MINIMIZEBOX) && x >= outer.right - 3 * box) return HTMINBUTTON;
    }
    return HTCAPTION;
}

void LimitSize(HWND hwnd, WINDOWPOS& pos) {
    if (pos.flags & SWP_NOSIZE) return;
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    if (!(style & WS_THICKFRAME) && (style & (WS_POPUP | WS_CHILD))) return;
    LimitToTrackSize(hwnd, pos.cx, pos.cy);
}

void SendSizeAndMove(HWND hwnd, const WINDOWPOS& pos) {
    RECT client{};
    POINT origin{};
    {
        State& state = GetState();
        Lock lock(state.mutex);
        Window* w = state.FindWindow(hwnd);
        if (!w) return;
        client = ClientArea(*w);
        origin = POINT{w->rect.left + client.left, w->rect.top + client.top};
    }
    if (!(pos.flags & kSwpNoClientMove))
        SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    if (!(pos.flags & kSwpNoClientSize))
        SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED,
                     MAKELPARAM(client.right - client.left, client.bottom - client.top));
}

LRESULT EraseBackground(HWND hwnd, HDC dc) {
    HBRUSH brush = nullptr;
    {
        State& state = GetState();
        Lock lock(state.mutex);
        Window* w = state.FindWindow(hwnd);
        if (w) brush = w->windowClass->background;
    }
    if (!brush || !dc) return 0;
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, brush);
    return 1;
}

LRESULT SetText(HWND hwnd, LPCSTR text) {
    bool topLevel = false;
    {
        State& state = GetState();
        Lock lock(state.mutex);
        Window* w = state.FindWindow(hwnd);
        if (!w) return FALSE;
        w->title = text ? text : "";
        topLevel = !w->IsChild();
    }
    if (topLevel) brannock::platform::CurrentBackend().WindowChanged(hwnd);
    return TRUE;
}

HWND TopLevelOf(HWND hwnd) {
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(hwnd);
    while (w && w->IsChild()) {
        Window* parent = state.FindWindow(w->parent);
        if (!parent) break;
        w = parent;
    }
    return w ? w->handle : nullptr;
}

}  // namespace

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && ((lParam & kAltDownBit) || (GetKeyState(VK_MENU) & 0x8000)))
                PostMessageA(TopLevelOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        case WM_NCHITTEST:
            return HitTest(window, lParam);
        case WM_WINDOWPOSCHANGING:
            if (lParam) LimitSize(window, *reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (lParam) SendSizeAndMove(window, *reinterpret_cast<const WINDOWPOS*>(lParam));
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            if (BeginPaint(window, &paint)) EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return EraseBackground(window, reinterpret_cast<HDC>(wParam));
        case WM_SETTEXT:
            return SetText(window, reinterpret_cast<LPCSTR>(lParam));
        case WM_GETTEXT:
            return GetWindowTextA(window, reinterpret_cast<LPSTR>(lParam),
                                  static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFF)));
        case WM_GETTEXTLENGTH:
            return GetWindowTextLengthA(window);
        case WM_MOUSEACTIVATE:
            return MA_ACTIVATE;
        case WM_NCACTIVATE:
            return TRUE;
        default:
            return 0;
    }
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    return proc ? proc(window, message, wParam, lParam) : 0;
}
