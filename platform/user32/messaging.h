// Internal message plumbing shared by the user32 files: calling window
// procedures, serving messages other threads sent, and running work on the
// thread that owns a window.
#pragma once

#include <functional>
#include <memory>

#include "platform/user32/state.h"

namespace brannock::platform::user32 {

// Calls the window's procedure on the calling thread; 0 for a stale handle.
// Call without the lock.
LRESULT CallProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Serves the oldest message another thread sent to `queue` (the calling
// thread's); false when there was none. Entered and left with `lock` held,
// released while the procedure runs.
bool ServeOneSent(ThreadQueue& queue, Lock& lock);

// Runs `work` on the thread that owns `hwnd`: at once when that is the
// calling thread, else handed to it like a sent message while the caller
// waits, serving what is sent to itself meanwhile. 0 when the window is
// gone or its thread has ended, or when a stop pending on the calling thread
// withdrew the work before it began (see interrupt.h). Call without the lock.
LRESULT RunOnWindowThread(HWND hwnd, std::function<LRESULT()> work);

// Queues a message for the queue's thread and wakes it. Needs the lock.
void PostLocked(ThreadQueue& queue, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Lets the backend move host events into the queues. Call without the lock.
void PumpBackend();

}  // namespace brannock::platform::user32
