// The SDL2 backend. SDL is driven from the thread that started it (the
// main window's thread): its events are read and its windows rendered in
// PumpEvents there, and calls made on other threads are queued for it
// (message boxes too: their callers wait for the answer).
// A thread that draws only marks the windows it changed and wakes the window
// thread, which copies the screen at its next pump (under the display lock,
// so frames are whole): drawing never waits for the window thread's pump.
// An idle window thread sleeps in SDL's event wait; other threads end it
// with an event of the backend's own.
#include "platform/backend/sdl2/sdl2_backend.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/backend/host_calls.h"
#include "platform/backend/script/frame_counter.h"
#include "platform/backend/script/frame_digest.h"
#include "platform/backend/script/input_recorder.h"
#include "platform/backend/sdl2/host_window.h"
#include "platform/backend/sdl2/joysticks.h"
#include "platform/backend/sdl2/message_box.h"
#include "platform/backend/sdl2/recorded_input.h"
#include "platform/backend/sdl2/window_input.h"
#include "platform/backend/settings.h"
#include "platform/display/blit.h"
#include "platform/display/screen.h"
#include "platform/display/window_area.h"
#include "platform/user32/host_input.h"
#include "platform/win32.h"

namespace brannock::platform {
namespace {

using sdl2::HostWindow;

// Host events are read at most this often however often the message calls
// pump; polling SDL costs system calls.
constexpr auto kPollInterval = std::chrono::milliseconds(1);
constexpr std::chrono::milliseconds::rep kMaxWaitMs = 1000;
// SDL_RegisterEvents' answer when it has no event type left.
constexpr Uint32 kNoEvent = static_cast<Uint32>(-1);

class Sdl2Backend final : public Backend {
  public:
    explicit Sdl2Backend(const Settings& settings)
        : ownerThreadId_(GetCurrentThreadId()),
          wakeEvent_(SDL_RegisterEvents(1)),
          messageBoxesToStderr_(settings.messageBoxesToStderr),
          digests_(script::DigestWriter::Open(settings)),
          recorder_(settings.record.empty() ? nullptr : script::InputRecorder::Open(settings)),
          frames_([this](const script::FrameEnd& end) {
              if (digests_) digests_->FrameShown(end.frame);
              if (recorder_) recorder_->FrameEnded(end);
          }) {
        if (!settings.script.empty())
            std::fprintf(stderr, "brannock: BRANNOCK_SCRIPT plays on the headless backend only\n");
    }

    const char* Name() const override { return "sdl2"; }

    void WindowCreated(HWND window) override {
        if (recorder_) recorder_->WindowCreated(window);
        hostCalls_.Post([this, window] {
            if (auto host = HostWindow::Create(window)) {
                std::lock_guard lock(registryMutex_);
                windows_.push_back(std::move(host));
            }
        });
    }

    void WindowDestroyed(HWND window) override {
        hostCalls_.Post([this, window] {
            std::lock_guard lock(registryMutex_);
            for (auto it = windows_.begin(); it != windows_.end(); ++it) {
                if ((*it)->Handle() != window) continue;
                // Destroyed after the pump: an event handler may still use it.
                retired_.push_back(std::move(*it));
                windows_.erase(it);
                break;
            }
        });
        if (hostCalls_.OnOwnerThread() && !pumping_) retired_.clear();
    }

    void WindowChanged(HWND window) override {
        hostCalls_.Post([this, window] {
            if (HostWindow* host = Find(window)) host->Sync();
        });
    }

    void ScreenUpdated(const RECT& screenRect) override {
        {
            std::lock_guard lock(registryMutex_);
            const HWND fullScreen = display::FullScreenOwner();
            for (auto& host : windows_) {
                if (fullScreen ? host->Handle() != fullScreen : !Shows(*host, screenRect)) continue;
                host->Refresh();
            }
        }
        WakeHostPump(ownerThreadId_);
    }

    void OverlayUpdated(HWND window) override {
        {
            std::lock_guard lock(registryMutex_);
            for (auto& host : windows_)
                if (host->Handle() == window) host->Refresh();
        }
        WakeHostPump(ownerThreadId_);
    }

    void DisplayModeChanged(HWND window) override {
        hostCalls_.Post([this, window] {
            for (auto& host : windows_)
                host->SetFullScreen(window && host->Handle() == window);
        });
    }

    void FramePresented() override { frames_.Presented(); }
    void FramePaced(int framesPerSecond) override { frames_.Paced(framesPerSecond); }

    bool CanWaitForHost() override {
        // Without a window SDL can only poll for events, and a nested pump
        // would not read them.
        return hostCalls_.OnOwnerThread() && !pumping_ && !windows_.empty() &&
               wakeEvent_ != kNoEvent;
    }

    void WaitForHost(std::chrono::milliseconds timeout) override {
        const auto ms = std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 0, kMaxWaitMs);
        // Peeks, leaving the event for the pump. SDL read the host's events
        // just before it found one: the pump need not read them again.
        if (ms > 0) hostRead_ = SDL_WaitEventTimeout(nullptr, static_cast<int>(ms)) == 1;
        lastPoll_ = {};  // what ended the wait is taken at the next pump
    }

    void WakeHost() override {
        if (wakeEvent_ == kNoEvent || wakePending_.exchange(true)) return;
        SDL_Event event{};
        event.type = wakeEvent_;
        if (SDL_PushEvent(&event) != 1) wakePending_ = false;
    }

    void PumpEvents() override {
        // Other threads pump too while they wait: only the owner pumps here
        // (and once: a window procedure a pumped event reaches may pump).
        if (!hostCalls_.OnOwnerThread() || pumping_) return;
        pumping_ = true;
        struct Done {
            Sdl2Backend& backend;
            ~Done() {
                backend.pumping_ = false;
                backend.retired_.clear();
            }
        } done{*this};

        hostCalls_.RunQueued();
        const auto now = std::chrono::steady_clock::now();
        if (now - lastPoll_ >= kPollInterval) {
            lastPoll_ = now;
            // One read of the host's events, then SDL's queue drained: each
            // SDL_PollEvent would read the host again.
            if (!hostRead_) SDL_PumpEvents();
            hostRead_ = false;
            SDL_Event event;
            while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
                if (event.type == wakeEvent_) {
                    wakePending_ = false;
                    continue;
                }
                Dispatch(event);
                // One key or button change per pump, so that the key state
                // still matches a key message when the thread takes it from
                // its queue (TranslateMessage reads Shift from it); the rest
                // waits for the next message call.
                if (ChangesKeyState(event)) {
                    lastPoll_ = {};
                    break;
                }
            }
        }
        if (recorder_) recorder_->ReleaseIfStalled();
        for (auto& host : windows_)
            host->Render();
    }

    // SDL's boxes belong on the thread that started video: another thread
    // waits for the window thread to show its box, until a stop ends the
    // wait (0, as for a box that cannot be shown).
    int ShowMessageBox(HWND, const std::string& textUtf8, const std::string& captionUtf8,
                       UINT type) override {
        return hostCalls_.Call(
            [=, this] {
                return sdl2::ShowHostMessageBox(textUtf8, captionUtf8, type, messageBoxesToStderr_);
            },
            0);
    }

    bool ReadJoystick(UINT id, JoystickReading& reading) override {
        return joysticks_.Read(id, reading);
    }

  private:
    static bool ChangesKeyState(const SDL_Event& event) {
        switch (event.type) {
            case SDL_KEYDOWN:
            case SDL_KEYUP:
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                return true;
            default:
                return false;
        }
    }

    // Whether a change of these screen pixels shows in the host window.
    static bool Shows(HostWindow& host, const RECT& screenRect) {
        display::WindowArea area;
        return display::LocateWindow(host.Handle(), area) &&
               !display::IsEmpty(display::Intersect(area.client, screenRect));
    }

    // Owner thread.
    HostWindow* Find(HWND window) {
        for (auto& host : windows_)
            if (host->Handle() == window) return host.get();
        return nullptr;
    }

    HostWindow* FindBySdlId(Uint32 id) {
        for (auto& host : windows_)
            if (host->SdlId() == id) return host.get();
        return nullptr;
    }

    void Dispatch(const SDL_Event& event) {
        if (recorder_ && sdl2::LatchForRecording(*recorder_, event,
                                                 [this](Uint32 id) { return FindBySdlId(id); }))
            return;
        switch (event.type) {
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                sdl2::HandleKeyEvent(FindBySdlId(event.key.windowID), event.key);
                return;
            case SDL_MOUSEMOTION:
                if (HostWindow* host = FindBySdlId(event.motion.windowID))
                    sdl2::HandleMouseMotion(*host, event.motion);
                return;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                if (HostWindow* host = FindBySdlId(event.button.windowID))
                    sdl2::HandleMouseButton(*host, event.button);
                return;
            case SDL_MOUSEWHEEL:
                if (HostWindow* host = FindBySdlId(event.wheel.windowID))
                    sdl2::HandleMouseWheel(*host, event.wheel);
                return;
            case SDL_WINDOWEVENT:
                if (HostWindow* host = FindBySdlId(event.window.windowID))
                    sdl2::HandleWindowEvent(*host, event.window);
                return;
            default:
                joysticks_.HandleEvent(event);
                return;
        }
    }

    const DWORD ownerThreadId_;
    const Uint32 wakeEvent_;  // the type of the events that end a host wait
    // A wake event is queued and not yet read: one is enough.
    std::atomic<bool> wakePending_{false};
    const bool messageBoxesToStderr_;

    // The host windows: changed on the owner thread only, under the lock;
    // other threads read them under the lock.
    std::mutex registryMutex_;
    std::vector<std::unique_ptr<HostWindow>> windows_;

    HostCalls hostCalls_;

    // Owner thread only.
    bool pumping_ = false;
    std::vector<std::unique_ptr<HostWindow>> retired_;
    std::chrono::steady_clock::time_point lastPoll_{};
    bool hostRead_ = false;  // SDL's queue holds all the host has sent

    sdl2::Joysticks joysticks_;

    const std::unique_ptr<script::DigestWriter> digests_;
    const std::unique_ptr<script::InputRecorder> recorder_;
    script::FrameCounter frames_;
};

}  // namespace

std::unique_ptr<Backend> CreateSdl2Backend() {
    // Without a display server to talk to there is nothing to show: do not
    // let SDL probe for one (or take over a text console).
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("SDL_VIDEODRIVER"))
        return nullptr;
    // Ctrl+C and kill end the program as usual, rather than becoming a quit
    // event that nothing asked for.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A click that gives a window the focus reaches the game too.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return nullptr;
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);  // without joysticks, none are read
    // X11's own window surface (shared memory with the server) takes the
    // frames; SDL would otherwise draw them through OpenGL, which costs a
    // core where the driver renders in software.
    if (const char* driver = SDL_GetCurrentVideoDriver(); driver && std::strcmp(driver, "x11") == 0)
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Characters come from TranslateMessage, not from the host's text input.
    SDL_StopTextInput();
    return std::make_unique<Sdl2Backend>(ProcessSettings());
}

}  // namespace brannock::platform
