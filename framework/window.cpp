// CWindow: creation, showing and closing of a secondary window, and the
// window procedure its class uses.
#include "framework/window.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "framework/window_map.h"
#include "framework/window_thread.h"

namespace {

// Numbers the classes: each secondary window gets a class of its own.
std::atomic<int> g_classCounter{0};

constexpr int kDefaultPosition = 0;
constexpr int kDefaultSize = 100;
constexpr DWORD kDefaultStyle = WS_BORDER;
constexpr DWORD kUnset = static_cast<DWORD>(-1);

// Posted by a thread that does not own the window: its owner destroys it.
// (Only the thread that created a window may destroy it.)
constexpr UINT kDestroyRequest = WM_APP + 0x1C0;

HBRUSH WhiteBrush() {
    static const HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
    return brush;
}

// Destroys the window at once on the thread that owns it. Another thread
// cuts it off from its object, which may be gone before the owner gets to
// it, and leaves the destruction to the owner.
void DestroyOnOwnerThread(HWND window) {
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        DestroyWindow(window);
    } else {
        UnregisterWindow(window);
        PostMessageA(window, kDestroyRequest, 0, 0);
    }
}

CWindow* ObjectOf(HWND window) {
    CompactWindowMap();
    return static_cast<CWindow*>(FindWindowObject(window));
}

// The messages handed to the object's WndProc.
constexpr UINT kRoutedMessages[] = {
    WM_DESTROY,     WM_MOVE,        WM_SIZE,          WM_ACTIVATE,     WM_SETFOCUS,  WM_KILLFOCUS,
    WM_ACTIVATEAPP, WM_NCHITTEST,   WM_KEYDOWN,       WM_KEYUP,        WM_CHAR,      WM_TIMER,
    WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP,     WM_RBUTTONDOWN,  WM_RBUTTONUP, WM_DROPFILES,
    WM_CUT,         WM_COPY,        WM_DRAWCLIPBOARD, WM_CHANGECBCHAIN};

bool IsRouted(UINT message) {
    return std::ranges::find(kRoutedMessages, message) != std::end(kRoutedMessages);
}

}  // namespace

LRESULT CWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void CWindow::ThreadMain() {}

void CWindow::OnCreate() {}

void CWindow::OnPaint(HDC) {}

CWindow::~CWindow() {
    // No message may reach this object once it is gone.
    HWND window = hwnd.exchange(nullptr);
    if (window != nullptr) UnregisterWindow(window);
    if (!EndWindowThread(*this)) {
        OutputDebugStringA("CWindow thread end FAILED\n");
        CloseHandle(thread.exchange(nullptr));
    }
    if (window != nullptr) DestroyOnOwnerThread(window);
}

int CWindow::Create(const char* title, int x, int y, int width, int height, DWORD style) {
    if (hwnd.load() != nullptr || thread.load() != nullptr) Close();

    char className[100];
    std::snprintf(className, sizeof className, "Window%d", g_classCounter.fetch_add(1));
    if (title == nullptr || title[0] == '\0') title = className;

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &SubWndProc;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = WhiteBrush();
    windowClass.lpszClassName = className;
    if (RegisterClassExA(&windowClass) == 0) return 0;

    if (style == kUnset) style = kDefaultStyle;
    if (x == -1) x = kDefaultPosition;
    if (y == -1) y = kDefaultPosition;
    if (width == -1) width = kDefaultSize;
    if (height == -1) height = kDefaultSize;
    HWND window = CreateWindowExA(0, className, title, style, x, y, width, height, nullptr, nullptr,
                                  nullptr, nullptr);
    if (window == nullptr) return 0;
    hwnd = window;
    // A full map leaves the window without object: its routed messages then
    // answer 0 and WM_CLOSE does nothing.
    RegisterWindow(window, this);
    OnCreate();
    return 1;
}

void CWindow::Show() {
    HWND window = hwnd;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

void CWindow::Close() {
    // A thread that does not end in time keeps its handle here, so the
    // destructor waits for it again.
    EndWindowThread(*this);
    if (HWND window = hwnd.load()) DestroyOnOwnerThread(window);
    hwnd = nullptr;
}

LRESULT CALLBACK SubWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDestroyRequest) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_CLOSE) {
        if (CWindow* object = ObjectOf(window)) object->Close();
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (CWindow* object = ObjectOf(window)) object->OnPaint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    if (IsRouted(message)) {
        CWindow* object = ObjectOf(window);
        return object != nullptr ? object->WndProc(message, wParam, lParam) : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
