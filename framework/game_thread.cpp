// The game thread's routine, its start and its stop.
#include "framework/game_thread.h"

#include <atomic>

#include "framework/globals.h"
#include "framework/stop_point.h"
#include "framework/system.h"

namespace {

std::atomic<bool> g_gameFinished{false};
std::atomic<HANDLE> g_gameThread{nullptr};
ThreadStop g_gameStop;

constexpr DWORD kStopTimeoutMs = 3000;

// The loop around MainLoop. An int exception (Present's "window gone") or a
// main loop that returns in threaded mode asks the window to close; a loop
// that ends because the program is ending does not.
void RunGame(void*) {
    CSystem* system = g_pSystem;
    if (!system) return;
    bool closeWindow = false;
    try {
        while (!g_endFlag) {
            StopPoint();
            system->GameThreadMain();
            if (system->threaded) {
                closeWindow = true;
                break;
            }
            system->PumpMessages();
        }
    } catch (int) {
        closeWindow = true;
    }
    if (closeWindow) system->RequestClose();
}

DWORD WINAPI GameThreadProc(LPVOID) {
    RunStoppable(g_gameStop, &RunGame, nullptr);
    // The window thread's loop ends with the game; wake it in case its queue
    // is idle, or it would wait for the next message of any kind.
    g_gameFinished = true;
    PostMessageA(g_hWnd, WM_NULL, 0, 0);
    return 0;
}

}  // namespace

HANDLE StartGameThread() {
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, &GameThreadProc, nullptr, 0, &threadId);
    g_gameThread = thread;
    return thread;
}

bool GameThreadFinished() {
    return g_gameFinished;
}

void CSystem::StopGameThread() {
    if (threaded.exchange(0) == 0) return;
    g_gameStop.Request();
    StopPoint();  // on the game thread itself, the thread ends here
    if (CurrentThreadStop() == &g_gameStop) return;
    if (HANDLE thread = g_gameThread.load()) WaitForSingleObject(thread, kStopTimeoutMs);
}

void CSystem::RequestClose() {
    if (g_endFlag) return;
    // The window answers 1 once OnClose allowed the close and the window is
    // destroyed, 0 when OnClose refused.
    if (SendMessageA(g_hWnd, WM_CLOSE, 0, 0) == 1) StopGameThread();
}

void EndGameThreadBeforeExit() {
    HANDLE thread = g_gameThread.load();
    if (!thread) return;
    if (g_pSystem) g_pSystem->threaded = 0;
    g_gameStop.Request();
    WaitForSingleObject(thread, kStopTimeoutMs);

    DWORD exitCode = 0;
    if (GetExitCodeThread(thread, &exitCode) && exitCode == STILL_ACTIVE) {
        // The game thread ignores the stop (it never calls the framework).
        // Returning would run static destructors under it: the application
        // object and its display would be destroyed while the thread uses
        // them. Killing it could leave a lock held. So the process ends here,
        // with the entry's usual exit code 0 and without static destructors,
        // as ExitProcess ends it: the system's own end-of-process work (the
        // platform's end-of-run handlers, flushed output) still runs.
        OutputDebugStringA("Game thread stop FAILED\n");
        ExitProcess(0);
    }
    CloseHandle(thread);
    g_gameThread = nullptr;
}
