#include "platform/kernel32/debug_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/backend/settings.h"
#include "platform/kernel32/kernel32.h"

namespace brannock::platform {
namespace {

class DebugSinks {
  public:
    void Write(std::string_view text) {
        std::lock_guard lock(mutex_);
        if (capturing_) captured_.emplace_back(text);
        std::FILE* sink = Sink();
        if (sink == nullptr) return;
        // Each call is one line of the debugger's log, as a debugger shows it.
        std::fwrite(text.data(), 1, text.size(), sink);
        if (text.empty() || text.back() != '\n') std::fputc('\n', sink);
        std::fflush(sink);
    }

    void SetCapture(bool on) {
        std::lock_guard lock(mutex_);
        capturing_ = on;
    }

    std::vector<std::string> Captured() {
        std::lock_guard lock(mutex_);
        return captured_;
    }

    void Clear() {
        std::lock_guard lock(mutex_);
        captured_.clear();
    }

  private:
    // Opened on first use and kept open (appending) for the process's life.
    std::FILE* Sink() {
        if (sinkChosen_) return sink_;
        sinkChosen_ = true;
        const std::string& target = ProcessSettings().debugOutput;
        if (target.empty()) return sink_ = nullptr;
        if (target == "stderr") return sink_ = stderr;
        sink_ = std::fopen(target.c_str(), "ab");
        if (sink_ == nullptr) {
            std::fprintf(stderr, "brannock: cannot open debug output file %s: %s\n", target.c_str(),
                         std::strerror(errno));
        }
        return sink_;
    }

    std::mutex mutex_;
    bool capturing_ = false;
    std::vector<std::string> captured_;
    bool sinkChosen_ = false;
    std::FILE* sink_ = nullptr;
};

// Never destroyed: threads may still write while the process ends.
DebugSinks& Sinks() {
    static auto* sinks = new DebugSinks;
    return *sinks;
}

}  // namespace

void WriteDebugOutput(std::string_view text) {
    Sinks().Write(text);
}
void SetDebugCapture(bool on) {
    Sinks().SetCapture(on);
}
std::vector<std::string> CapturedDebugOutput() {
    return Sinks().Captured();
}
void ClearCapturedDebugOutput() {
    Sinks().Clear();
}

}  // namespace brannock::platform

VOID WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
    if (lpOutputString == nullptr) return;
    brannock::platform::WriteDebugOutput(lpOutputString);
}
