// The default behaviour of CSystem's hooks. A game overrides what it needs;
// the message hooks do nothing by default.
#include "framework/globals.h"
#include "framework/stop_point.h"
#include "framework/system.h"

int CSystem::GameThreadMain() {
    MainLoop();
    return 0;
}

int CSystem::SingleThreadMain() {
    try {
        MainLoop();
    } catch (int) {
        // Present throws an int when the window is gone: the loop is over.
    }
    return 1;
}

void CSystem::Init() {
    if (initProc) initProc(this);
}

void CSystem::MainLoop() {
    if (mainProc) {
        mainProc(this);
        return;
    }
    // Without a procedure the game thread idles until it is stopped.
    while (threaded) {
        StopPoint();
        Sleep(1);
    }
}

int CSystem::OnClose() {
    return 1;
}

HICON CSystem::GetIcon() {
    return LoadIconA(g_hInstance, MAKEINTRESOURCEA(32512));
}

int CSystem::OnHitTest(int, int) {
    return 0;
}

LRESULT CSystem::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(g_hWnd, message, wParam, lParam);
}

void CSystem::OnCommand(int, int, HWND) {}
void CSystem::OnKillFocus() {}
void CSystem::OnSetFocus() {}
void CSystem::OnTimer(UINT_PTR) {}
void CSystem::OnUser(WPARAM, LPARAM) {}
void CSystem::OnKeyDown(int) {}
void CSystem::OnKeyUp(int) {}
void CSystem::OnMove(int, int) {}
void CSystem::OnSize(int, int) {}
void CSystem::OnChar(int) {}
void CSystem::OnMouse(int, int, int, int) {}
void CSystem::OnPaint(HDC) {}
void CSystem::OnDestroy() {}
void CSystem::OnActivate(int) {}
void CSystem::OnSetCursor() {}
void CSystem::OnGetMinMaxInfo() {}
void CSystem::OnMciNotify() {}
void CSystem::OnSysKeyDown(int) {}
void CSystem::OnSysKeyUp(int) {}
