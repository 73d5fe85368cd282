// Starting, stopping and running the threads of secondary windows.
#include "framework/window_thread.h"

#include <chrono>
#include <thread>

#include "framework/stop_point.h"
#include "framework/window.h"
#include "framework/window_map.h"

namespace {

// As long as a stop of the game thread may take.
constexpr auto kBoundedWait = std::chrono::milliseconds(3000);
constexpr auto kEndPoll = std::chrono::milliseconds(1);
#ifndef _WIN32
// A thread still running this long after its stop ignores it: a loop that
// never calls the framework (its blocking calls return at once). On the
// platform layer TerminateThread unwinds such a thread at its next blocking
// call; on Windows it would kill the thread wherever it is, holding whatever
// locks, so it is not used there.
constexpr auto kUnwindAfter = std::chrono::milliseconds(1000);
#endif

bool HasEnded(HANDLE thread) {
    DWORD exitCode = 0;
    return !GetExitCodeThread(thread, &exitCode) || exitCode != STILL_ACTIVE;
}

void RunThreadMain(void* object) {
    static_cast<CWindow*>(object)->ThreadMain();
}

}  // namespace

bool StartWindowThread(CWindow& window) {
    // An earlier thread of the object that ignored its stop still runs: it
    // keeps the stop, and the window goes without a thread.
    if (window.thread.load() != nullptr) return false;
    window.stop_.Reset();
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, &WindowThreadProc, window.hwnd.load(), 0, &threadId);
    if (thread == nullptr) return false;
    window.threadId = threadId;
    window.thread = thread;
    return true;
}

void RequestWindowThreadEnd(CWindow& window) {
    if (window.thread.load() == nullptr) return;
    window.stop_.Request();
    // Fails while the thread has no message queue yet; it then finds the
    // stop requested once it has made one.
    PostThreadMessageA(window.threadId.load(), WM_QUIT, 0, 0);
}

// Polls rather than blocking in a wait, and uses the host clock: the wait
// runs in destructors, possibly on a thread that is stopping (whose platform
// waits return at once), and must end even while a test holds the tick
// count still.
bool WaitForWindowThread(CWindow& window, bool bounded) {
    HANDLE thread = window.thread.load();
    if (thread == nullptr) return true;
    if (window.threadId.load() == GetCurrentThreadId()) return false;
    const auto start = std::chrono::steady_clock::now();
    [[maybe_unused]] bool unwound = false;
    bool reported = false;
    while (!HasEnded(thread)) {
        const auto waited = std::chrono::steady_clock::now() - start;
#ifndef _WIN32
        if (!unwound && waited >= kUnwindAfter) unwound = TerminateThread(thread, 0) != FALSE;
#endif
        if (!reported && waited >= kBoundedWait) {
            // ThreadMain makes no call that its stop could end.
            OutputDebugStringA("CWindow thread end FAILED\n");
            if (bounded) return false;
            reported = true;
        }
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        std::this_thread::sleep_for(kEndPoll);
    }
    if (window.thread.compare_exchange_strong(thread, nullptr)) CloseHandle(thread);
    return true;
}

DWORD WINAPI WindowThreadProc(LPVOID windowHandle) {
    // Makes this thread's message queue, so WM_QUIT can be posted to it.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);

    // The object outlives this thread: its destruction waits for it.
    CompactWindowMap();
    auto* object = static_cast<CWindow*>(FindWindowObject(static_cast<HWND>(windowHandle)));
    if (object == nullptr || object->stop_.Requested()) return 0;
    RunStoppable(object->stop_, &RunThreadMain, object);
    return 0;
}
