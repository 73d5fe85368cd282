// SetWindowPos and MoveWindow: WM_WINDOWPOSCHANGING (whose default limits
// the size through WM_GETMINMAXINFO), WM_NCCALCSIZE for a new frame or size,
// the change, WM_WINDOWPOSCHANGED (whose default sends WM_MOVE and WM_SIZE),
// activation changes, then the backend hears of it.
#include <algorithm>

#include "platform/backend/backend.h"
#include "platform/user32/geometry.h"
#include "platform/user32/messaging.h"
#include "platform/user32/window_ops.h"
#include "platform/win32.h"

using namespace brannock::platform::user32;

// Runs on the window's own thread (calls from other threads wait for it), so
// the messages and the backend notification happen there, as the backend
// requires.
BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height,
                         UINT flags) {
    State& state = GetState();
    WINDOWPOS pos{window, insertAfter, x, y, width, height, flags};
    RECT oldRect{};
    {
        Lock lock(state.mutex);
        Window* w = state.FindWindow(window);
        if (!w) return FALSE;
        if (w->queue != CurrentQueueLocked()) {
            lock.unlock();
            return static_cast<BOOL>(RunOnWindowThread(window, [=] {
                return SetWindowPos(window, insertAfter, x, y, width, height, flags);
            }));
        }
        if (flags & SWP_NOMOVE) {
            pos.x = w->rect.left;
            pos.y = w->rect.top;
        }
        if (flags & SWP_NOSIZE) {
            pos.cx = w->rect.right - w->rect.left;
            pos.cy = w->rect.bottom - w->rect.top;
        }
        oldRect = w->rect;
    }
    if (!(flags & SWP_NOSENDCHANGING))
        SendMessageA(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    pos.hwnd = window;
    pos.x = ClampCoordinate(pos.x);
    pos.y = ClampCoordinate(pos.y);
    pos.cx = ClampSize(pos.cx);
    pos.cy = ClampSize(pos.cy);
    // A new frame or size is laid out anew: WM_NCCALCSIZE, for information
    // (the client area follows from the style and the menu bar).
    if ((pos.flags & SWP_FRAMECHANGED) || !(pos.flags & SWP_NOSIZE)) {
        NCCALCSIZE_PARAMS calc{
            {RECT{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy}, oldRect, oldRect}, &pos};
        SendMessageA(window, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&calc));
    }

    bool topLevel = false;
    bool visible = false;
    bool hiddenActive = false;
    {
        Lock lock(state.mutex);
        Window* w = state.FindWindow(window);
        if (!w) return FALSE;
        const RECT oldClient = ClientArea(*w);
        const POINT oldOrigin{w->rect.left + oldClient.left, w->rect.top + oldClient.top};
        const bool wasVisible = w->visible;
        if (!(pos.flags & SWP_NOMOVE)) {
            w->rect = RECT{pos.x, pos.y, pos.x + (w->rect.right - w->rect.left),
                           pos.y + (w->rect.bottom - w->rect.top)};
        }
        bool outerResized = false;
        if (!(pos.flags & SWP_NOSIZE)) {
            outerResized =
                pos.cx != w->rect.right - w->rect.left || pos.cy != w->rect.bottom - w->rect.top;
            w->rect.right = w->rect.left + pos.cx;
            w->rect.bottom = w->rect.top + pos.cy;
        }
        // A style set with SetWindowLongA, or a menu bar attached or removed,
        // reaches the non-client area when the frame is laid out again: on
        // SWP_FRAMECHANGED (which SetMenu asks for) or a new size.
        if ((pos.flags & SWP_FRAMECHANGED) || outerResized) {
            w->frameStyle = w->style;
            w->frameMenu = w->menu != nullptr;
        }
        if (pos.flags & SWP_SHOWWINDOW) w->visible = true;
        if (pos.flags & SWP_HIDEWINDOW) w->visible = false;
        if (!(pos.flags & SWP_NOZORDER)) {
            if (pos.hwndInsertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
            if (pos.hwndInsertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
        }
        const RECT client = ClientArea(*w);
        const POINT origin{w->rect.left + client.left, w->rect.top + client.top};
        const bool resized = client.right - client.left != oldClient.right - oldClient.left ||
                             client.bottom - client.top != oldClient.bottom - oldClient.top;
        const bool moved = origin.x != oldOrigin.x || origin.y != oldOrigin.y;
        if (w->visible && !(pos.flags & SWP_NOREDRAW) &&
            (resized || !wasVisible || (pos.flags & SWP_FRAMECHANGED)))
            InvalidateAllLocked(*w);
        hiddenActive = !w->visible && state.foreground == window;
        pos.x = w->rect.left;
        pos.y = w->rect.top;
        pos.cx = w->rect.right - w->rect.left;
        pos.cy = w->rect.bottom - w->rect.top;
        pos.flags |= (resized ? 0 : kSwpNoClientSize) | (moved ? 0 : kSwpNoClientMove);
        topLevel = !w->IsChild();
        visible = w->visible;
    }
    SendMessageA(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (hiddenActive) DeactivateWindow(window);
    if (topLevel && visible && !(flags & SWP_NOACTIVATE)) ActivateWindow(window);
    if (topLevel && IsWindow(window)) brannock::platform::CurrentBackend().WindowChanged(window);
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(window, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}
