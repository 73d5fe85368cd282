// Cooperative stop of the framework's threads: the game thread and the
// threads of secondary windows.
//
// A thread cannot be killed safely (it may hold a lock or a surface), so a
// stop is a request. Once it is made, the thread's next call into the
// framework unwinds it with a private exception back to the routine that
// started it, which ends the thread. On the platform layer its blocking
// calls (Sleep, waits, SendMessageA) meanwhile return early instead of
// blocking. Nothing but a framework call unwinds, so a destructor that
// blocks in a platform call while the thread stops is safe.
#pragma once

#include <atomic>

// The stop request of one thread.
class ThreadStop {
  public:
    void Request() { requested_.store(true, std::memory_order_release); }
    bool Requested() const { return requested_.load(std::memory_order_acquire); }
    // For a thread started anew.
    void Reset() { requested_.store(false, std::memory_order_release); }

  private:
    std::atomic<bool> requested_{false};
};

// Runs body(context) on the calling thread under `stop`: returns when body
// returns or when a stop point unwound it. Other exceptions pass through.
void RunStoppable(ThreadStop& stop, void (*body)(void* context), void* context);

// Returns at once, except on a thread whose stop was requested: there it
// unwinds the thread (unless the thread is already unwinding). Framework
// operations the game thread calls every frame call it on entry, so a
// stopped game runs no further game code once it calls the framework.
void StopPoint();

// The stop the calling thread runs under, or null.
const ThreadStop* CurrentThreadStop();

// For a stop that is going away while its thread may still run (its object
// is destroyed on that very thread): the thread goes on as stopped, without
// looking at `stop` again.
void LeaveThreadStop(const ThreadStop& stop);
