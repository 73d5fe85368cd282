// Records the input that reaches the program (BRANNOCK_RECORD, sdl2
// backend) as a script that replays to the same run. The host's keys, mouse
// and close control are latched instead of delivered; at each frame
// boundary they are written with the number of the frame they are for and
// handed over exactly as a scripted run hands over its input. The run takes
// the same virtual clock as a scripted run, held to real time so that it
// plays at the pace the program sees. As in a scripted run, threads started
// before the first frame begin once the window thread has handled its
// start-up.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/backend/script/frame_counter.h"
#include "platform/backend/script/script.h"
#include "platform/backend/settings.h"
#include "platform/windef.h"

namespace brannock::platform::script {

class InputRecorder {
  public:
    // Opens the recording the settings name and starts the virtual clock;
    // null, with a line on stderr, when the file cannot be written (the run
    // then goes on unrecorded).
    static std::unique_ptr<InputRecorder> Open(const Settings& settings);
    ~InputRecorder();
    InputRecorder(const InputRecorder&) = delete;
    InputRecorder& operator=(const InputRecorder&) = delete;

    void WindowCreated(HWND window);

    // Input the host reported; the window thread's. Moves between two
    // frames keep only the last position; a move to where the mouse is
    // already is dropped.
    void Latch(const Event& event);
    // Input that has waited too long for a frame (a program that stalls or
    // does not draw) goes in at once, for the next frame; the window
    // thread's, at each pump.
    void ReleaseIfStalled();

    // The frame thread's.
    void FrameEnded(const FrameEnd& end);

  private:
    using Clock = std::chrono::steady_clock;
    InputRecorder(std::FILE* file, std::string path);

    // Writes the latched events as input for `frame` and returns them;
    // needs mutex_.
    std::vector<Event> TakeLatchedLocked(long long frame);
    void HoldToRealTime();

    std::FILE* const file_;
    const std::string path_;
    std::atomic<HWND> mainWindow_{nullptr};

    std::mutex mutex_;
    std::vector<Event> latched_;     // guarded by mutex_
    Clock::time_point firstLatch_;   // guarded by mutex_
    long long nextFrame_ = 0;        // guarded by mutex_
    bool writeFailed_ = false;       // guarded by mutex_
    std::optional<POINT> lastMove_;  // guarded by mutex_

    std::atomic<bool> framesBegan_{false};
    // Frame thread only.
    Clock::time_point realStart_;
    DWORD virtualStart_ = 0;
};

}  // namespace brannock::platform::script
