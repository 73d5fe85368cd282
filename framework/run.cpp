// CSystem::Run: the whole run of the program on the window thread.
#include "framework/game_thread.h"
#include "framework/globals.h"
#include "framework/main_window.h"
#include "framework/shift_jis.h"
#include "framework/system.h"
#include "framework/working_directory.h"

namespace {

constexpr UINT_PTR kStartTimerId = 0xFFFF;  // one OnTimer call soon after start
constexpr UINT kStartTimerMs = 100;
constexpr int kStartPumps = 100;
constexpr DWORD kEndPauseMs = 100;

// The window thread's loop while the game thread runs. Returns the wParam of
// the last message taken.
WPARAM RunWindowLoop(CSystem& system) {
    SetTimer(g_hWnd, kStartTimerId, kStartTimerMs, nullptr);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DWORD exitCode = 0;
        GetExitCodeThread(system.gameThread, &exitCode);
        if (g_endFlag || GameThreadFinished() || exitCode != STILL_ACTIVE) break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (message.message == WM_TIMER && message.wParam == kStartTimerId)
            KillTimer(g_hWnd, kStartTimerId);
        while (system.ProcessWindowRequest() != 0) {
        }
    }
    return message.wParam;
}

}  // namespace

int CSystem::Run(HINSTANCE instance, HINSTANCE, LPSTR commandLineText, int showCommand) {
    // Kept for the game; a longer command line is cut to the buffer.
    if (commandLineText) CopyShiftJisTruncated(commandLine, sizeof commandLine, commandLineText);
    LeaveBuildOutputDirectory(*this);
    g_hInstance = instance;

    RegisterMainClass(instance);  // a failure shows when the window is created
    if (!CreateMainWindow(instance, showCommand)) return 0;
    Init();
    if (g_endFlag) return 0;
    for (int i = 0; i < kStartPumps; ++i)
        PumpMessages();
    if (g_endFlag) return 0;

    WPARAM result = 0;
    if (threaded) {
        gameThread = StartGameThread();
        if (!gameThread) return 0;
        result = RunWindowLoop(*this);
    } else {
        while (ProcessWindowRequest() != 0) {
        }
        SingleThreadMain();
    }
    Sleep(kEndPauseMs);
    return static_cast<int>(result);
}
