#include "platform/backend/script/script_player.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/backend/script/input_events.h"
#include "platform/bmp/bmp_writer.h"
#include "platform/kernel32/kernel32.h"
#include "platform/kernel32/virtual_clock.h"

namespace brannock::platform::script {
namespace {

// A script is a few lines a frame; a bigger file is no script.
constexpr std::size_t kMaxScriptBytes = std::size_t{64} << 20;

// Reads to the end, so a pipe works as well as a file.
bool ReadWholeFile(const std::string& path, std::string& text, std::string& error) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    char buffer[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, in.get());
        text.append(buffer, got);
        if (text.size() > kMaxScriptBytes) {
            error = "it is larger than 64 MiB";
            return false;
        }
        if (got < sizeof buffer) break;
    }
    if (std::ferror(in.get())) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

long long LastFrameOf(const Script& script) {
    return script.events.empty() ? -1 : script.events.back().frame;
}

}  // namespace

std::unique_ptr<ScriptPlayer> ScriptPlayer::Load(const Settings& settings, DigestWriter* digests) {
    const std::string path = PathFromStart(settings, settings.script);
    std::string text, error;
    if (!ReadWholeFile(path, text, error)) {
        std::fprintf(stderr, "brannock: cannot read the script %s (%s); running without it\n",
                     path.c_str(), error.c_str());
        return nullptr;
    }
    Script script = Parse(text);
    for (const Problem& problem : script.problems)
        std::fprintf(stderr, "brannock: %s:%d: %s; line skipped\n", settings.script.c_str(),
                     problem.line, problem.message.c_str());
    return std::make_unique<ScriptPlayer>(std::move(script), settings.script, settings, digests);
}

ScriptPlayer::ScriptPlayer(Script script, std::string name, Settings settings,
                           DigestWriter* digests)
    : script_(std::move(script)),
      name_(std::move(name)),
      settings_(std::move(settings)),
      digests_(digests),
      lastFrame_(LastFrameOf(script_)) {
    virtual_clock::Start();
    // The framework starts the game thread before its window thread has
    // taken in its first messages: frame 0 is drawn after them.
    GateEarlyThreads(mainWindow_, framesBegan_);
}

ScriptPlayer::~ScriptPlayer() {
    EndEarlyThreadGate();
}

void ScriptPlayer::WindowCreated(HWND window) {
    HWND none = nullptr;
    if (!mainWindow_.compare_exchange_strong(none, window)) return;
    // Frame 0's input is there before anything is drawn.
    HandOver(TakeInputThrough(0), window);
}

void ScriptPlayer::FrameEnded(const FrameEnd& end) {
    if (!framesBegan_.exchange(true)) virtual_clock::SetFrameThread(GetCurrentThreadId());
    SaveFramesThrough(end.frame);
    virtual_clock::EndFrame(end.framesPerSecond);
    if (!HandOver(TakeInputThrough(end.frame + 1), mainWindow_.load()) && !lateNoted_) {
        lateNoted_ = true;
        std::fprintf(stderr,
                     "brannock: %s: the window thread did not handle the input of frame %lld in "
                     "time; the run may differ from others\n",
                     name_.c_str(), end.frame + 1);
    }
}

std::vector<Event> ScriptPlayer::TakeInputThrough(long long frame) {
    std::vector<Event> events;
    std::lock_guard lock(mutex_);
    const std::vector<Event>& all = script_.events;
    for (; nextInput_ < all.size() && all[nextInput_].frame <= frame; ++nextInput_) {
        if (all[nextInput_].IsInput()) events.push_back(all[nextInput_]);
    }
    // Past the last frame named, the run ends by itself.
    if (frame > lastFrame_ && !closed_) {
        closed_ = true;
        Event close;
        close.frame = frame;
        close.kind = EventKind::kClose;
        events.push_back(close);
    }
    return events;
}

void ScriptPlayer::SaveFramesThrough(long long frame) {
    const std::vector<Event>& all = script_.events;
    for (; nextSave_ < all.size() && all[nextSave_].frame <= frame; ++nextSave_) {
        const Event& event = all[nextSave_];
        if (event.kind != EventKind::kSave) continue;
        display::ReadScreenPixels(screen_);
        const std::string path = PathFromStart(settings_, event.path);
        if (!bmp::WriteFile(path, screen_.width, screen_.height, screen_.pixels))
            Report(event, "cannot save the screen to " + path + "; going on");
        if (digests_) digests_->FrameSaved(frame, screen_);
    }
}

void ScriptPlayer::Report(const Event& event, const std::string& message) const {
    std::fprintf(stderr, "brannock: %s:%d: %s\n", name_.c_str(), event.line, message.c_str());
}

}  // namespace brannock::platform::script
