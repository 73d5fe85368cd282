// Plays an input script (BRANNOCK_SCRIPT) on the headless backend. The run
// takes the virtual clock; at each frame boundary the player saves the
// frames the script names, moves the clock one frame on, and hands over the
// next frame's input, which the window thread handles before the frame is
// drawn. Input for frame 0 goes in when the program's first window is
// created. After the last frame the script names, the window's close control
// is clicked, so a scripted run ends by itself. Threads the program starts
// before its first frame begin once the window thread has handled what it
// was given.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "platform/backend/script/frame_counter.h"
#include "platform/backend/script/frame_digest.h"
#include "platform/backend/script/script.h"
#include "platform/backend/settings.h"
#include "platform/display/host_image.h"

namespace brannock::platform::script {

class ScriptPlayer {
  public:
    // Reads the script the settings name, reporting its skipped lines on
    // stderr, and starts the virtual clock. Null, with one line on stderr,
    // when it cannot be read: the program then runs as without a script.
    // `digests` (may be null) gets the saved frames.
    static std::unique_ptr<ScriptPlayer> Load(const Settings& settings, DigestWriter* digests);

    // Plays `script`, read from the file `name`. Starts the virtual clock.
    ScriptPlayer(Script script, std::string name, Settings settings, DigestWriter* digests);
    ~ScriptPlayer();
    ScriptPlayer(const ScriptPlayer&) = delete;
    ScriptPlayer& operator=(const ScriptPlayer&) = delete;

    void WindowCreated(HWND window);
    void FrameEnded(const FrameEnd& end);

  private:
    // The input events of frames up to `frame` not handed over yet, and the
    // close after the last frame when it is due.
    std::vector<Event> TakeInputThrough(long long frame);
    void SaveFramesThrough(long long frame);
    void Report(const Event& event, const std::string& message) const;

    const Script script_;
    const std::string name_;  // of the script, for reports
    const Settings settings_;
    DigestWriter* const digests_;
    // The last frame the script names; -1 for an empty script.
    const long long lastFrame_;

    std::atomic<HWND> mainWindow_{nullptr};
    std::mutex mutex_;
    std::size_t nextInput_ = 0;  // guarded by mutex_
    bool closed_ = false;        // guarded by mutex_
    std::atomic<bool> framesBegan_{false};
    // Frame thread only.
    std::size_t nextSave_ = 0;
    bool lateNoted_ = false;
    display::HostImage screen_;
};

}  // namespace brannock::platform::script
