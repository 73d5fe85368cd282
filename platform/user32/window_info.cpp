// Window queries and the values behind GetWindowLongA / SetWindowLongA and
// the window title.
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/user32/state.h"
#include "platform/win32.h"

using namespace brannock::platform::user32;

BOOL WINAPI IsWindow(HWND window) {
    if (window == DesktopHandle()) return TRUE;
    State& state = GetState();
    Lock lock(state.mutex);
    return state.FindWindow(window) ? TRUE : FALSE;
}

// A child is visible only while its parents are.
BOOL WINAPI IsWindowVisible(HWND window) {
    if (window == DesktopHandle()) return TRUE;
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    if (!w) return FALSE;
    for (; w; w = w->IsChild() ? state.FindWindow(w->parent) : nullptr)
        if (!w->visible) return FALSE;
    return TRUE;
}

// The parent of a child window, the owner of a pop-up, else null.
HWND WINAPI GetParent(HWND window) {
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    if (!w || !(w->style & (WS_CHILD | WS_POPUP))) return nullptr;
    return w->parent;
}

DWORD WINAPI GetWindowThreadProcessId(HWND window, LPDWORD processId) {
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    if (!w) return 0;
    if (processId) *processId = static_cast<DWORD>(getpid());
    return w->queue->threadId;
}

// Index 0 and up reads the window's extra bytes; a read that does not fit in
// them gives 0.
LONG WINAPI GetWindowLongA(HWND window, int index) {
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    if (!w) return 0;
    switch (index) {
        case GWL_STYLE:
            return static_cast<LONG>(w->style | (w->visible ? WS_VISIBLE : 0));
        case GWL_EXSTYLE:
            return static_cast<LONG>(w->exStyle);
        case GWL_ID:
            return static_cast<LONG>(w->childId);
        case GWLP_USERDATA:
            return static_cast<LONG>(w->userData);
        default:
            break;
    }
    if (index < 0 || static_cast<std::size_t>(index) + sizeof(LONG) > w->extra.size()) return 0;
    LONG value = 0;
    std::memcpy(&value, w->extra.data() + index, sizeof value);
    return value;
}

namespace {

// A new style or extended style: WM_STYLECHANGING (whose handler may amend
// it), the change, then WM_STYLECHANGED. The non-client area follows a new
// style at the next SetWindowPos with SWP_FRAMECHANGED (or SetMenu), as on
// Windows. WS_VISIBLE is not taken from the value: visibility changes only
// through ShowWindow and SetWindowPos, so a window whose style is swapped
// for full screen stays shown.
LONG ChangeStyle(HWND window, int index, DWORD value) {
    State& state = GetState();
    STYLESTRUCT styles{};
    {
        Lock lock(state.mutex);
        Window* w = state.FindWindow(window);
        if (!w) return 0;
        styles.styleOld =
            index == GWL_STYLE ? w->style | (w->visible ? WS_VISIBLE : 0) : w->exStyle;
    }
    styles.styleNew = value;
    SendMessageA(window, WM_STYLECHANGING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&styles));
    {
        Lock lock(state.mutex);
        Window* w = state.FindWindow(window);
        if (!w) return 0;
        // A top-level window always clips its siblings, as on Windows.
        if (index == GWL_STYLE && !(styles.styleNew & WS_CHILD)) styles.styleNew |= WS_CLIPSIBLINGS;
        if (index == GWL_STYLE)
            w->style = styles.styleNew & ~static_cast<DWORD>(WS_VISIBLE);
        else
            w->exStyle = styles.styleNew;
    }
    SendMessageA(window, WM_STYLECHANGED, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&styles));
    return static_cast<LONG>(styles.styleOld);
}

}  // namespace

LONG WINAPI SetWindowLongA(HWND window, int index, LONG value) {
    if (index == GWL_STYLE || index == GWL_EXSTYLE)
        return ChangeStyle(window, index, static_cast<DWORD>(value));
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    if (!w) return 0;
    LONG old = 0;
    switch (index) {
        case GWL_ID:
            old = static_cast<LONG>(w->childId);
            w->childId = static_cast<UINT_PTR>(static_cast<ULONG>(value));
            return old;
        case GWLP_USERDATA:
            old = static_cast<LONG>(w->userData);
            w->userData = value;
            return old;
        default:
            break;
    }
    if (index < 0 || static_cast<std::size_t>(index) + sizeof(LONG) > w->extra.size()) return 0;
    std::memcpy(&old, w->extra.data() + index, sizeof old);
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return old;
}

// The bytes are kept as given (code page 932); WM_SETTEXT's default
// processing stores them and tells the backend.
BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text) {
    if (!IsWindow(window)) return FALSE;
    return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

// Read from the window's record without a message, so any thread can ask,
// even while the window's own thread is busy.
int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    if (!w) {
        buffer[0] = '\0';
        return 0;
    }
    const std::size_t n =
        std::min<std::size_t>(w->title.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, w->title.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

int WINAPI GetWindowTextLengthA(HWND window) {
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    return w ? static_cast<int>(w->title.size()) : 0;
}
