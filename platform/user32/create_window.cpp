// CreateWindowExA: the record, then WM_GETMINMAXINFO, WM_NCCREATE,
// WM_NCCALCSIZE, WM_CREATE, and showing the window for WS_VISIBLE, as on
// Windows. Pop-ups and children hear WM_SIZE and WM_MOVE before the show,
// overlapped windows at their first show.
#include <algorithm>

#include "platform/backend/backend.h"
#include "platform/user32/geometry.h"
#include "platform/user32/screen.h"
#include "platform/user32/window_class.h"
#include "platform/user32/window_ops.h"
#include "platform/win32.h"

using namespace brannock::platform::user32;

namespace {

// Overlapped windows without a position cascade from the desktop's corner.
POINT DefaultPosition(State& state) {
    static constexpr int kStep = 26;
    const int n = static_cast<int>(state.windows.size() % 8);
    return POINT{kStep * (n + 1), kStep * (n + 1)};
}

// A window whose WM_NCCREATE or WM_CREATE refused it: it hears
// WM_NCDESTROY (but no WM_DESTROY, as it never lived) and goes.
void Abandon(HWND hwnd, bool hostKnowsIt) {
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    State& state = GetState();
    std::vector<HWND> removed;
    {
        Lock lock(state.mutex);
        RemoveWindowLocked(state, hwnd, removed);
    }
    for (HWND gone : removed)
        if (gone != hwnd || hostKnowsIt) brannock::platform::CurrentBackend().WindowDestroyed(gone);
}

}  // namespace

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    State& state = GetState();
    Lock lock(state.mutex);
    std::shared_ptr<const WindowClass> windowClass = FindClassLocked(state, className);
    if (!windowClass) return nullptr;
    if (parent == DesktopHandle()) parent = nullptr;
    const bool child = (style & WS_CHILD) != 0;
    if ((child && !parent) || (parent && !state.FindWindow(parent))) return nullptr;
    if (!child && menu && !state.FindMenu(menu)) return nullptr;

    // As on Windows: top-level windows clip their siblings, overlapped ones
    // always have a caption, and framed ones a raised edge.
    if (!(style & WS_CHILD)) style |= WS_CLIPSIBLINGS;
    if (!(style & (WS_POPUP | WS_CHILD))) style |= WS_CAPTION;
    if (style & (WS_DLGFRAME | WS_THICKFRAME))
        exStyle |= WS_EX_WINDOWEDGE;
    else
        exStyle &= ~static_cast<DWORD>(WS_EX_WINDOWEDGE);
    const bool showAfter = (style & WS_VISIBLE) != 0;
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    const bool overlapped = !(style & (WS_POPUP | WS_CHILD));
    if (x == CW_USEDEFAULT) {
        POINT p = overlapped ? DefaultPosition(state) : POINT{0, 0};
        x = p.x;
        y = p.y;
    }
    if (width == CW_USEDEFAULT) {
        brannock::platform::ScreenSize screen = brannock::platform::CurrentScreenSize();
        width = overlapped ? screen.width * 3 / 4 : 0;
        height = overlapped ? screen.height * 3 / 4 : 0;
    }
    x = ClampCoordinate(x);
    y = ClampCoordinate(y);
    width = ClampSize(width);
    height = ClampSize(height);

    auto record = std::make_unique<Window>();
    Window& w = *record;
    w.handle = reinterpret_cast<HWND>(state.NewHandle());
    w.windowClass = windowClass;
    w.proc = windowClass->proc;
    w.style = w.frameStyle = style;
    w.exStyle = exStyle;
    w.needSize = overlapped;
    w.title = windowName ? windowName : "";
    w.parent = parent;
    w.instance = instance;
    w.rect = RECT{x, y, x + width, y + height};
    w.extra.assign(static_cast<std::size_t>(windowClass->windowExtra), 0);
    w.queue = CurrentQueueLocked();
    if (child) {
        w.childId = reinterpret_cast<UINT_PTR>(menu);
    } else if (menu) {
        Menu* m = state.FindMenu(menu);
        if (Window* previous = state.FindWindow(m->window)) previous->menu = nullptr;
        m->window = w.handle;
        w.menu = menu;
        w.frameMenu = true;
    }
    const HWND hwnd = w.handle;
    state.windows.emplace(reinterpret_cast<UINT_PTR>(hwnd), std::move(record));
    lock.unlock();

    if (overlapped || (style & WS_THICKFRAME)) {
        LimitToTrackSize(hwnd, width, height);
        lock.lock();
        if (Window* found = state.FindWindow(hwnd)) found->rect = RECT{x, y, x + width, y + height};
        lock.unlock();
    }

    CREATESTRUCTA create{
        param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        Abandon(hwnd, false);
        return nullptr;
    }
    if (!child) brannock::platform::CurrentBackend().WindowCreated(hwnd);
    RECT proposed{x, y, x + width, y + height};
    SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed));
    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        Abandon(hwnd, !child);
        return nullptr;
    }

    lock.lock();
    Window* created = state.FindWindow(hwnd);
    if (!created) return nullptr;
    const RECT client = ClientArea(*created);
    const POINT origin{created->rect.left + client.left, created->rect.top + client.top};
    lock.unlock();
    if (!overlapped) SendSizeAndMove(hwnd, client, origin);
    if (showAfter) ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}
