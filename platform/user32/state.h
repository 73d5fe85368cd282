// user32's tables: window classes, windows, menus and thread queues, all
// behind one lock. Handles are keys into these tables, never pointers, and
// are not reused, so a stale handle simply finds nothing. A pointer to a
// record is valid only while the lock is held; window procedures and the
// backend are always called with the lock released.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/user32/thread_queue.h"
#include "platform/user32/user32.h"

namespace brannock::platform::user32 {

// Internal WINDOWPOS flags telling WM_WINDOWPOSCHANGED's default processing
// which of WM_SIZE and WM_MOVE to send.
inline constexpr UINT kSwpNoClientSize = 0x0800;
inline constexpr UINT kSwpNoClientMove = 0x1000;

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int windowExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<const WindowClass> windowClass;
    WNDPROC proc = nullptr;
    DWORD style = 0;       // without WS_VISIBLE, which `visible` holds
    DWORD frameStyle = 0;  // the style the non-client area was laid out for
    DWORD exStyle = 0;
    std::string title;
    HWND parent = nullptr;   // parent of a WS_CHILD window, else its owner
    HMENU menu = nullptr;    // menu bar; child windows have an id instead
    bool frameMenu = false;  // whether the non-client area holds a menu bar
    UINT_PTR childId = 0;
    HINSTANCE instance = nullptr;
    RECT rect{};  // outer rectangle in the parent's client coordinates
    bool visible = false;
    bool destroying = false;
    bool needSize = false;       // WM_SIZE and WM_MOVE wait for the first show
    bool updatePending = false;  // needs WM_PAINT
    bool erasePending = false;   // BeginPaint sends WM_ERASEBKGND
    RECT updateRect{};           // client coordinates
    std::vector<BYTE> extra;     // cbWndExtra bytes
    LONG_PTR userData = 0;
    std::shared_ptr<ThreadQueue> queue;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
};

struct MenuItem {
    UINT flags = 0;
    UINT_PTR id = 0;
    HMENU popup = nullptr;
    std::string text;
};

struct Menu {
    bool popup = false;
    std::vector<MenuItem> items;
    HWND window = nullptr;  // the window it is the menu bar of
};

struct State {
    std::mutex mutex;
    std::vector<std::shared_ptr<const WindowClass>> classes;
    std::map<UINT_PTR, std::unique_ptr<Window>> windows;  // creation order
    std::map<UINT_PTR, std::unique_ptr<Menu>> menus;
    std::map<DWORD, std::weak_ptr<ThreadQueue>> queues;
    UINT_PTR nextHandle = 0x10004;
    ATOM nextAtom = 0xC000;
    UINT_PTR nextThreadTimerId = 0x7F00;
    HWND foreground = nullptr;

    Window* FindWindow(HWND hwnd);
    Menu* FindMenu(HMENU menu);
    UINT_PTR NewHandle() { return nextHandle += 4; }
};

// The process's tables; never destroyed, since threads may still use them
// while the process ends.
State& GetState();

using Lock = std::unique_lock<std::mutex>;

// The desktop window: not in the table, always valid.
HWND DesktopHandle();

// True when `hwnd` is `ancestor` or a child window below it.
bool IsSelfOrDescendant(State& state, HWND hwnd, HWND ancestor);

// The child and owned windows of `parent`, in creation order.
std::vector<HWND> ChildrenOf(State& state, HWND parent);

// Destroys a menu and its pop-ups; a window it was the menu bar of loses it.
void DestroyMenuLocked(State& state, HMENU menu);

// Drops the records of a window and everything below it, with their menus,
// timers and queued messages, sending nothing. Top-level windows removed are
// added to `removedTopLevel` for the backend.
void RemoveWindowLocked(State& state, HWND hwnd, std::vector<HWND>& removedTopLevel);

}  // namespace brannock::platform::user32
