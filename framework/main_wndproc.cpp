// MainWndProc: the main window's messages become calls of g_pSystem's hooks.
// Halves of wParam and lParam are zero-extended.
#include "framework/globals.h"
#include "framework/main_window.h"
#include "framework/system.h"

namespace {

int Low(LPARAM value) {
    return LOWORD(value);
}
int High(LPARAM value) {
    return HIWORD(value);
}

void StoreMouse(LPARAM lParam) {
    g_mouseX = Low(lParam);
    g_mouseY = High(lParam);
}

void ReleaseButtons() {
    g_mouseLeft = 0;
    g_mouseRight = 0;
}

void ReportMouse(CSystem& system) {
    system.OnMouse(g_mouseX, g_mouseY, g_mouseLeft, g_mouseRight);
}

LRESULT HandleMessage(CSystem& system, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            system.OnDestroy();
            g_endFlag = 1;
            PostQuitMessage(0);
            return 0;
        case WM_MOVE:
            system.OnMove(Low(lParam), High(lParam));
            return 0;
        case WM_SIZE:
            ReleaseButtons();
            system.OnSize(Low(lParam), High(lParam));
            return 0;
        case WM_ACTIVATE:
            system.OnActivate(HIWORD(wParam));
            return 0;
        case WM_SETFOCUS:
            system.OnSetFocus();
            return 0;
        case WM_KILLFOCUS:
            ReleaseButtons();
            system.OnKillFocus();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            system.OnPaint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CLOSE:
            // Default processing destroys the window (WM_DESTROY runs inside).
            if (system.OnClose() != 1) return 0;
            DefWindowProcA(window, message, wParam, lParam);
            return 1;
        case WM_ACTIVATEAPP:
        case WM_DROPFILES:
        case WM_CUT:
        case WM_COPY:
        case WM_DRAWCLIPBOARD:
        case WM_CHANGECBCHAIN:
            return system.OnMessage(message, wParam, lParam);
        case WM_SETCURSOR:
            // No default processing: the framework never sets a cursor shape.
            system.OnSetCursor();
            return 0;
        case WM_GETMINMAXINFO:
            system.OnGetMinMaxInfo();
            if (system.FixedSize(-1) && lParam)
                FillMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_NCHITTEST: {
            if (system.dragByClient) {
                ReleaseButtons();
                return HTCAPTION;
            }
            const int hit = system.OnHitTest(Low(lParam), High(lParam));
            return hit != 0 ? hit : DefWindowProcA(window, message, wParam, lParam);
        }
        case WM_KEYDOWN:
            system.OnKeyDown(static_cast<int>(wParam));
            return 0;
        case WM_KEYUP:
            system.OnKeyUp(static_cast<int>(wParam));
            return 0;
        case WM_CHAR:
            system.OnChar(static_cast<signed char>(wParam & 0xFF));
            return 0;
        case WM_SYSKEYDOWN:
            // No default processing: Alt+F4 and F10 belong to the game.
            system.OnSysKeyDown(static_cast<int>(wParam));
            return 0;
        case WM_SYSKEYUP:
            system.OnSysKeyUp(static_cast<int>(wParam));
            return 0;
        case WM_COMMAND:
            system.OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_TIMER:
            system.OnTimer(wParam);
            return 0;
        case WM_MOUSEMOVE:
            StoreMouse(lParam);
            ReportMouse(system);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            g_mouseLeft = message == WM_LBUTTONDOWN;
            StoreMouse(lParam);
            ReportMouse(system);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            g_mouseRight = message == WM_RBUTTONDOWN;
            StoreMouse(lParam);
            ReportMouse(system);
            return 0;
        case WM_MOUSEWHEEL:
            return 0;
        case MM_MCINOTIFY:
            system.OnMciNotify();
            return 0;
        case WM_USER:
            system.OnUser(wParam, lParam);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!g_pSystem) return DefWindowProcA(window, message, wParam, lParam);
    return HandleMessage(*g_pSystem, window, message, wParam, lParam);
}
