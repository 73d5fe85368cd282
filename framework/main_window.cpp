// The main window's class, its creation and its size pinning.
#include "framework/main_window.h"

#include "framework/globals.h"
#include "framework/system.h"
#include "framework/window_map.h"

namespace {

// Per-window bytes a game may use through GetWindowLongA / SetWindowLongA.
constexpr int kWindowExtraBytes = 32;

}  // namespace

ATOM RegisterMainClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXA);  // the record's size on this platform
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &MainWndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = kWindowExtraBytes;
    windowClass.hInstance = instance;
    windowClass.hIcon = g_pSystem ? g_pSystem->GetIcon() : nullptr;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = CreateSolidBrush(RGB(255, 255, 255));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = g_className;
    windowClass.hIconSm = nullptr;
    return RegisterClassExA(&windowClass);
}

int CreateMainWindow(HINSTANCE instance, int showCommand) {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    int x = (desktop.right - g_windowWidth) / 2;
    int y = (desktop.bottom - g_windowHeight) / 2;
    if (g_windowX >= 0) x = g_windowX;
    if (g_windowY >= 0) y = g_windowY;

    HWND window = CreateWindowExA(0, g_className, g_title, g_windowStyle, x, y, g_windowWidth,
                                  g_windowHeight, nullptr, nullptr, instance, nullptr);
    if (!window) return 0;
    g_hWnd = window;  // before showing, so hooks called meanwhile see it
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    RegisterWindow(window, g_pSystem);
    return 1;
}

void FillMinMaxInfo(MINMAXINFO* info) {
    LONG width = g_windowWidth + 2 * GetSystemMetrics(SM_CXFRAME);
    LONG height = g_windowHeight + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE);
    if (GetMenu(g_hWnd)) height += GetSystemMetrics(SM_CYMENU);
    info->ptMinTrackSize = {width, height};
    info->ptMaxTrackSize = {width, height};
}

int CSystem::FixedSize(int mode) {
    if (mode == 0 || mode == 1) fixedSize = mode;
    return fixedSize;
}

void CSystem::ResetMouse() {
    g_mouseX = 0;
    g_mouseY = 0;
    g_mouseLeft = 0;
    g_mouseRight = 0;
}
