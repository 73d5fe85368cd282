#include "framework/stop_point.h"

#include <exception>

#ifndef _WIN32
#include "platform/kernel32/interrupt.h"
#endif

namespace {

// Thrown only by StopPoint, caught only by RunStoppable.
struct ThreadStopped {};

thread_local const ThreadStop* t_stop = nullptr;

// Where a thread whose stop went away looks instead: stopped for good.
const ThreadStop& Stopped() {
    static const ThreadStop* stopped = [] {
        auto* stop = new ThreadStop;
        stop->Request();
        return stop;
    }();
    return *stopped;
}

#ifndef _WIN32
bool StopPendingHere() {
    return t_stop != nullptr && t_stop->Requested();
}
#endif

}  // namespace

void RunStoppable(ThreadStop& stop, void (*body)(void* context), void* context) {
#ifndef _WIN32
    // The platform asks this before blocking, so a stopped thread blocked in
    // Sleep, a wait or a send returns to the framework.
    brannock::platform::SetStopCheck(&StopPendingHere);
#endif
    struct Scope {
        const ThreadStop* outer = t_stop;
        explicit Scope(const ThreadStop& stop) { t_stop = &stop; }
        ~Scope() { t_stop = outer; }
    } scope(stop);
    try {
        body(context);
    } catch (const ThreadStopped&) {
        // Stopped: nothing more of the thread's work runs.
    }
}

void StopPoint() {
    // Never throw while already unwinding (a destructor that calls the
    // framework), which would terminate the process.
    if (t_stop != nullptr && t_stop->Requested() && std::uncaught_exceptions() == 0)
        throw ThreadStopped{};
}

const ThreadStop* CurrentThreadStop() {
    return t_stop;
}

void LeaveThreadStop(const ThreadStop& stop) {
    if (t_stop == &stop) t_stop = &Stopped();
}
