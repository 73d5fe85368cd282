#include "platform/backend/script/input_recorder.h"

#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/backend/script/input_events.h"
#include "platform/kernel32/interrupt.h"
#include "platform/kernel32/kernel32.h"
#include "platform/kernel32/virtual_clock.h"

namespace brannock::platform::script {
namespace {

// Input waits this long at most for a frame boundary. Input that goes in
// between boundaries reaches the program at another point of its frame than
// on replay, so this is only for programs that stall (or never draw): long
// enough for a slow start, short enough to close a stuck window.
constexpr auto kStall = std::chrono::milliseconds(1000);
// A run further behind real time than this stops trying to catch up.
constexpr auto kMaxLag = std::chrono::milliseconds(100);

}  // namespace

std::unique_ptr<InputRecorder> InputRecorder::Open(const Settings& settings) {
    const std::string path = PathFromStart(settings, settings.record);
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        std::fprintf(stderr, "brannock: cannot record to %s (%s); running unrecorded\n",
                     path.c_str(), std::strerror(errno));
        return nullptr;
    }
    std::fprintf(file,
                 "# Brannock input recording: FRAME EVENT a line. Play it back with "
                 "BRANNOCK_SCRIPT set to this file.\n");
    std::fflush(file);
    virtual_clock::Start();
    return std::unique_ptr<InputRecorder>(new InputRecorder(file, path));
}

InputRecorder::InputRecorder(std::FILE* file, std::string path)
    : file_(file), path_(std::move(path)) {
    // Frame 0 is drawn after the window thread's first paint, as on replay.
    GateEarlyThreads(mainWindow_, framesBegan_);
}

InputRecorder::~InputRecorder() {
    EndEarlyThreadGate();
    std::fclose(file_);
}

void InputRecorder::WindowCreated(HWND window) {
    HWND none = nullptr;
    mainWindow_.compare_exchange_strong(none, window);
}

void InputRecorder::Latch(const Event& event) {
    std::lock_guard lock(mutex_);
    if (event.kind == EventKind::kMove) {
        if (lastMove_ && lastMove_->x == event.x && lastMove_->y == event.y) return;
        lastMove_ = POINT{event.x, event.y};
        if (!latched_.empty() && latched_.back().kind == EventKind::kMove) {
            latched_.back() = event;
            return;
        }
    }
    if (latched_.empty()) firstLatch_ = Clock::now();
    latched_.push_back(event);
}

void InputRecorder::ReleaseIfStalled() {
    std::vector<Event> events;
    {
        std::lock_guard lock(mutex_);
        if (latched_.empty() || Clock::now() - firstLatch_ < kStall) return;
        events = TakeLatchedLocked(nextFrame_);
    }
    HandOver(events, mainWindow_.load());
}

void InputRecorder::FrameEnded(const FrameEnd& end) {
    if (!framesBegan_.exchange(true)) {
        virtual_clock::SetFrameThread(GetCurrentThreadId());
        const virtual_clock::QuietReads quiet;
        virtualStart_ = GetTickCount();
        realStart_ = Clock::now();
    }
    virtual_clock::EndFrame(end.framesPerSecond);
    HoldToRealTime();
    std::vector<Event> events;
    {
        std::lock_guard lock(mutex_);
        nextFrame_ = end.frame + 1;
        events = TakeLatchedLocked(nextFrame_);
    }
    HandOver(events, mainWindow_.load());
}

std::vector<Event> InputRecorder::TakeLatchedLocked(long long frame) {
    std::vector<Event> events;
    events.swap(latched_);
    if (events.empty() || writeFailed_) return events;
    for (Event& event : events) {
        event.frame = frame;
        std::fprintf(file_, "%s\n", FormatEvent(event).c_str());
    }
    if (std::fflush(file_) != 0 || std::ferror(file_)) {
        writeFailed_ = true;
        std::fprintf(stderr, "brannock: cannot write the recording %s (%s); going on unrecorded\n",
                     path_.c_str(), std::strerror(errno));
    }
    return events;
}

void InputRecorder::HoldToRealTime() {
    const virtual_clock::QuietReads quiet;
    const auto ahead = std::chrono::milliseconds(GetTickCount() - virtualStart_);
    if (Clock::now() - realStart_ > ahead + kMaxLag) {
        realStart_ = Clock::now() - ahead;  // a stall: take up the pace from here
        return;
    }
    for (;;) {
        const auto left = realStart_ + ahead - Clock::now();
        if (left <= Clock::duration::zero()) return;
        std::this_thread::sleep_for(std::min<Clock::duration>(left, kInterruptCheckInterval));
        if (StopPending()) return;  // a thread told to stop is not held
    }
}

}  // namespace brannock::platform::script
