#include "framework/window_thread.h"

#include <chrono>
#include <thread>

#include "framework/window.h"
#include "framework/window_map.h"

namespace {

constexpr auto kEndTimeout = std::chrono::milliseconds(1000);
constexpr auto kEndPoll = std::chrono::milliseconds(1);

bool HasEnded(HANDLE thread) {
    DWORD exitCode = 0;
    return !GetExitCodeThread(thread, &exitCode) || exitCode != STILL_ACTIVE;
}

// Polls rather than blocking in a wait, and uses the host clock: the wait
// runs in destructors, where nothing may throw, and must end even while a
// test holds the tick count still.
bool WaitForEnd(HANDLE thread, DWORD threadId) {
    const auto deadline = std::chrono::steady_clock::now() + kEndTimeout;
    bool asked = false;
    while (!HasEnded(thread)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        // Fails until the thread has a message queue; WindowThreadProc makes
        // one first thing.
        if (!asked) asked = PostThreadMessageA(threadId, WM_QUIT, 0, 0) != 0;
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        std::this_thread::sleep_for(kEndPoll);
    }
    return true;
}

}  // namespace

bool StartWindowThread(CWindow& window) {
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, &WindowThreadProc, window.hwnd.load(), 0, &threadId);
    if (thread == nullptr) return false;
    window.threadId = threadId;
    window.thread = thread;
    return true;
}

bool EndWindowThread(CWindow& window) {
    HANDLE thread = window.thread.load();
    if (thread == nullptr) return true;
    const DWORD threadId = window.threadId.load();
    if (threadId == GetCurrentThreadId()) {
        // A thread cannot wait for itself; it ends when ThreadMain returns.
        PostQuitMessage(0);
        return false;
    }
    if (!WaitForEnd(thread, threadId)) return false;
    if (window.thread.compare_exchange_strong(thread, nullptr)) CloseHandle(thread);
    return true;
}

DWORD WINAPI WindowThreadProc(LPVOID windowHandle) {
    // Makes this thread's message queue, so WM_QUIT can be posted to it.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);

    CompactWindowMap();
    auto* object = static_cast<CWindow*>(FindWindowObject(static_cast<HWND>(windowHandle)));
    if (object != nullptr) object->ThreadMain();
    return 0;
}
