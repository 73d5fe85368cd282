#include "platform/kernel32/process_end.h"

#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

namespace brannock::platform {
namespace {

struct ProcessEnd {
    std::mutex mutex;
    std::vector<std::function<void()>> handlers;
    bool exitHandlerInstalled = false;
};

// Never destroyed: it is used while the process ends.
ProcessEnd& State() {
    static auto* state = new ProcessEnd;
    return *state;
}

void RunAtExit() {
    RunProcessEndHandlers();
}

}  // namespace

void AtProcessEnd(std::function<void()> handler) {
    ProcessEnd& state = State();
    std::lock_guard lock(state.mutex);
    state.handlers.push_back(std::move(handler));
    if (!state.exitHandlerInstalled) {
        state.exitHandlerInstalled = true;
        std::atexit(RunAtExit);
    }
}

void RunProcessEndHandlers() {
    ProcessEnd& state = State();
    for (;;) {
        std::function<void()> handler;
        {
            std::lock_guard lock(state.mutex);
            if (state.handlers.empty()) return;
            handler = std::move(state.handlers.back());
            state.handlers.pop_back();
        }
        handler();
    }
}

}  // namespace brannock::platform
