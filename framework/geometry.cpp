// Size and place of the main window: creation values before it exists,
// client size and position afterwards.
#include <climits>

#include "framework/globals.h"
#include "framework/system.h"

namespace {

// The client size asked for last; taken from the creation size on the first
// SetClientSize call. Window thread only.
bool g_clientSizeKnown = false;
int g_clientWidth = 0;
int g_clientHeight = 0;

// A menu bar pushes the client area down; the window is raised by this much
// so the client area stays about centred.
constexpr int kMenuRaise = 16;

bool MainWindowExists(HWND window) {
    return window != nullptr && IsWindow(window);
}

// A client size plus the frame, held to the int range.
int WithFrame(int clientSize, int frame) {
    const long long size = static_cast<long long>(clientSize) + frame;
    return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

}  // namespace

void CSystem::SetWindowRect(int x, int y, int width, int height) {
    g_windowX = x;
    g_windowY = y;
    g_windowWidth = width;
    g_windowHeight = height;
}

void CSystem::SetWindowStyle(DWORD style) {
    g_windowStyle = style;
}

BOOL CSystem::SetClientSize(int width, int height) {
    if (!g_clientSizeKnown) {
        g_clientSizeKnown = true;
        g_clientWidth = g_windowWidth;
        g_clientHeight = g_windowHeight;
    }
    // A negative size stands for the one asked for last time.
    if (width >= 0)
        g_clientWidth = width;
    else
        width = g_clientWidth;
    if (height >= 0)
        g_clientHeight = height;
    else
        height = g_clientHeight;

    HWND window = g_hWnd;
    if (!MainWindowExists(window)) {
        // The window will be created with this outer size.
        if (width > 0) g_windowWidth = width;
        if (height > 0) g_windowHeight = height;
        return 0;
    }

    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    int x = (desktop.right - width) / 2;
    int y = (desktop.bottom - height) / 2;
    UINT flags = SWP_NOZORDER | SWP_SHOWWINDOW;
    if (!centreOnResize) flags |= SWP_NOMOVE;

    const int extraWidth = GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXDLGFRAME);
    int extraHeight = GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYDLGFRAME) +
                      GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE);
    if (GetMenu(window) != nullptr) {
        extraHeight += GetSystemMetrics(SM_CYMENU);
        y -= kMenuRaise;
    }
    if (!SetWindowPos(window, nullptr, x, y, WithFrame(width, extraWidth),
                      WithFrame(height, extraHeight), flags))
        return FALSE;

    // The metric sums above are exact on the platform layer but a few pixels
    // short of Windows' real frame: make up what the client area still lacks,
    // so a game asking for 640x480 draws into 640x480 and is not scaled.
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int missingWidth = width - (client.right - client.left);
    const int missingHeight = height - (client.bottom - client.top);
    if (missingWidth == 0 && missingHeight == 0) return TRUE;
    return SetWindowPos(window, nullptr, 0, 0, WithFrame(outer.right - outer.left, missingWidth),
                        WithFrame(outer.bottom - outer.top, missingHeight),
                        SWP_NOZORDER | SWP_NOMOVE);
}

BOOL CSystem::MoveWindowTo(int x, int y) {
    HWND window = g_hWnd;
    if (!MainWindowExists(window)) return 0;
    // The size values are ignored (SWP_NOSIZE); they are the frame's extent.
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int frameWidth = (outer.right - outer.left) - (client.right - client.left);
    const int frameHeight = (outer.bottom - outer.top) - (client.bottom - client.top);
    return SetWindowPos(window, nullptr, x, y, frameWidth, frameHeight,
                        SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOSIZE);
}
