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

bool OwnedByThisThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

// Destroys the window at once on the thread that owns it. Another thread
// cuts it off from its object, which may be gone before the owner gets to
// it, and leaves the destruction to the owner.
void DestroyOnOwnerThread(HWND window, const CWindow& object) {
    if (OwnedByThisThread(window)) {
        DestroyWindow(window);
    } else {
        WithdrawWindowObject(&object);
        PostMessageA(window, kDestroyRequest, 0, 0);
    }
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
    // The thread is asked first: a call in progress may be waiting for it.
    RequestWindowThreadEnd(*this);
    // No message reaches this object once it is gone.
    WithdrawWindowObject(this);
    HWND window = hwnd.exchange(nullptr);
    if (!WaitForWindowThread(*this, false)) {
        // Destroyed on its own thread, which goes on without this object.
        LeaveThreadStop(stop_);
        CloseHandle(thread.exchange(nullptr));
    }
    if (window != nullptr) DestroyOnOwnerThread(window, *this);
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
    RequestWindowThreadEnd(*this);
    WaitForWindowThread(*this, true);
    if (HWND window = hwnd.load()) DestroyOnOwnerThread(window, *this);
    hwnd = nullptr;
}

LRESULT CALLBACK SubWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDestroyRequest) {
        DestroyWindow(window);
        return 0;
    }
    // Each call holds its object alive until it returns.
    if (message == WM_CLOSE) {
        const WindowObjectCall call(window);
        if (auto* object = static_cast<CWindow*>(call.Object())) object->Close();
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        {
            const WindowObjectCall call(window);
            if (auto* object = static_cast<CWindow*>(call.Object())) object->OnPaint(dc);
        }
        EndPaint(window, &paint);
        return 0;
    }
    if (IsRouted(message)) {
        const WindowObjectCall call(window);
        auto* object = static_cast<CWindow*>(call.Object());
        return object != nullptr ? object->WndProc(message, wParam, lParam) : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
