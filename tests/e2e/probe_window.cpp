// A small Win32 program for the end-to-end tests: one window with a menu
// bar, painted with GDI, an overlay text drawn through its whole-window DC,
// and full screen through DirectDraw. It reports the messages it receives,
// one line each on stdout, so a test can check what the host delivered.
//
// Keys: Escape closes the window, F toggles full screen (640x480, filled
// green), M shows a message box, G shows one from a thread of its own, T
// paints the client area magenta from a thread of its own while the window
// thread waits for messages, W does so while the window thread waits for
// that thread to end (8 seconds). Menu: Colour > Red / Green / Blue and
// Colour > More > Yellow / Cyan repaint the client area; Quit closes the
// window.
#include <cstdio>

#include "platform/win32.h"

namespace {

constexpr int kClientWidth = 320;
constexpr int kClientHeight = 240;
constexpr UINT kRed = 101, kGreen = 102, kBlue = 103, kYellow = 104, kCyan = 105, kQuit = 110;

COLORREF g_colour = RGB(0, 0, 255);
IDirectDraw7* g_directDraw = nullptr;
IDirectDrawSurface7* g_primary = nullptr;

void Report(const char* format, long long a = 0, long long b = 0) {
    std::printf(format, a, b);
    std::printf("\n");
    std::fflush(stdout);
}

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    RECT rect{left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    Fill(dc, 0, 0, kClientWidth, kClientHeight, g_colour);
    Fill(dc, 20, 20, 60, 60, RGB(255, 255, 255));
    EndPaint(window, &paint);
    // Drawn over the frame by the host, like a frame-rate readout.
    HDC windowDc = GetWindowDC(window);
    SetTextColor(windowDc, RGB(255, 255, 0));
    SetBkColor(windowDc, RGB(0, 0, 0));
    TextOutA(windowDc, kClientWidth - 40, GetSystemMetrics(SM_CYMENU) + 4, "OVL", 3);
    ReleaseDC(window, windowDc);
}

DWORD WINAPI PaintFromThread(LPVOID parameter) {
    HWND window = static_cast<HWND>(parameter);
    HDC dc = GetDC(window);
    Fill(dc, 0, 0, kClientWidth, kClientHeight, RGB(255, 0, 255));
    ReleaseDC(window, dc);
    Report("painted from thread");
    return 0;
}

DWORD WINAPI PaintAndLinger(LPVOID parameter) {
    PaintFromThread(parameter);
    Sleep(8000);
    return 0;
}

DWORD WINAPI MessageBoxFromThread(LPVOID) {
    Report("thread messagebox %lld", MessageBoxA(nullptr, "From a thread", "Probe", MB_OK));
    return 0;
}

// Starts `routine` on a thread of its own; with `wait`, waits for it to end.
void OnThread(LPTHREAD_START_ROUTINE routine, HWND window, bool wait = false) {
    HANDLE thread = CreateThread(nullptr, 0, routine, window, 0, nullptr);
    if (!thread) return;
    if (wait) WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

void LeaveFullScreen(HWND window) {
    if (g_primary) g_primary->Release();
    g_primary = nullptr;
    if (g_directDraw) {
        g_directDraw->RestoreDisplayMode();
        g_directDraw->SetCooperativeLevel(window, DDSCL_NORMAL);
        g_directDraw->Release();
    }
    g_directDraw = nullptr;
    InvalidateRect(window, nullptr, TRUE);
}

void EnterFullScreen(HWND window) {
    void* object = nullptr;
    if (DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr) != DD_OK) return;
    g_directDraw = static_cast<IDirectDraw7*>(object);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    DDBLTFX fill{};
    fill.dwSize = sizeof fill;
    fill.dwFillColor = 0x00FF00;
    if (g_directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) != DD_OK ||
        g_directDraw->SetDisplayMode(640, 480, 32, 0, 0) != DD_OK ||
        g_directDraw->CreateSurface(&desc, &g_primary, nullptr) != DD_OK ||
        g_primary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill) != DD_OK) {
        Report("full screen failed");
        LeaveFullScreen(window);
        return;
    }
    Report("full screen");
}

const char* KeyMessageName(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
            return "keydown";
        case WM_KEYUP:
            return "keyup";
        case WM_SYSKEYDOWN:
            return "syskeydown";
        default:
            return "syskeyup";
    }
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            std::printf("%s vk=%u lparam=%08lx\n", KeyMessageName(message),
                        static_cast<unsigned>(wParam),
                        static_cast<unsigned long>(lParam & 0xFFFFFFFF));
            std::fflush(stdout);
            if (message == WM_KEYDOWN && wParam == VK_ESCAPE) PostMessageA(window, WM_CLOSE, 0, 0);
            if (message == WM_KEYDOWN && wParam == 'T') OnThread(&PaintFromThread, window);
            if (message == WM_KEYDOWN && wParam == 'W') OnThread(&PaintAndLinger, window, true);
            if (message == WM_KEYDOWN && wParam == 'G') OnThread(&MessageBoxFromThread, window);
            if (message == WM_KEYDOWN && wParam == 'M')
                Report("messagebox %lld",
                       MessageBoxA(window, "Hello \x82\xa0", "Probe", MB_OK));  // "Hello あ"
            if (message == WM_KEYDOWN && wParam == 'F' && !(lParam & (1 << 30))) {
                if (g_directDraw)
                    LeaveFullScreen(window);
                else
                    EnterFullScreen(window);
            }
            return 0;
        case WM_CHAR:
            Report("char %lld", static_cast<long long>(wParam));
            return 0;
        case WM_LBUTTONDOWN: {
            POINT cursor{};
            GetCursorPos(&cursor);
            POINT origin{0, 0};
            ClientToScreen(window, &origin);
            Report("lbuttondown %lld %lld", static_cast<SHORT>(LOWORD(lParam)),
                   static_cast<SHORT>(HIWORD(lParam)));
            Report("cursor-in-client %lld %lld", cursor.x - origin.x, cursor.y - origin.y);
            return 0;
        }
        case WM_COMMAND:
            Report("command %lld", LOWORD(wParam));
            if (LOWORD(wParam) == kQuit) PostMessageA(window, WM_CLOSE, 0, 0);
            if (LOWORD(wParam) == kRed) g_colour = RGB(255, 0, 0);
            if (LOWORD(wParam) == kGreen) g_colour = RGB(0, 255, 0);
            if (LOWORD(wParam) == kBlue) g_colour = RGB(0, 0, 255);
            if (LOWORD(wParam) == kYellow) g_colour = RGB(255, 255, 0);
            if (LOWORD(wParam) == kCyan) g_colour = RGB(0, 255, 255);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_CLOSE:
            Report("close");
            break;
        case WM_DESTROY:
            LeaveFullScreen(window);
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HMENU MakeMenu() {
    HMENU more = CreatePopupMenu();
    AppendMenuA(more, MF_STRING, kYellow, "&Yellow");
    AppendMenuA(more, MF_STRING, kCyan, "&Cyan");
    HMENU colours = CreatePopupMenu();
    AppendMenuA(colours, MF_STRING, kRed, "&Red");
    AppendMenuA(colours, MF_STRING, kGreen, "&Green");
    AppendMenuA(colours, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(colours, MF_STRING, kBlue, "&Blue");
    AppendMenuA(colours, MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(colours), "&Colour");
    AppendMenuA(bar, MF_STRING, kQuit, "&Quit");
    return bar;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ProbeProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = CreateSolidBrush(RGB(0, 0, 0));
    windowClass.lpszClassName = "BrannockProbe";
    if (!RegisterClassExA(&windowClass)) return 1;
    // "Probe テスト" in code page 932: the host title shows it in UTF-8.
    HWND window = CreateWindowExA(0, "BrannockProbe", "Probe \x83\x65\x83\x58\x83\x67",
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400, 300,
                                  nullptr, MakeMenu(), instance, nullptr);
    if (!window) return 1;
    // Size the window so that the client area is exactly as wanted.
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    SetWindowPos(window, nullptr, 0, 0, kClientWidth + (outer.right - outer.left) - client.right,
                 kClientHeight + (outer.bottom - outer.top) - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(window, show);
    UpdateWindow(window);
    Report("ready");

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    Report("exit");
    return 0;
}
