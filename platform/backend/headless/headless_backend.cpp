#include "platform/backend/headless/headless_backend.h"

#include <atomic>
#include <cstdio>

#include "platform/backend/headless/close_timer.h"
#include "platform/backend/headless/headless_state.h"
#include "platform/backend/message_box_buttons.h"
#include "platform/backend/script/frame_counter.h"
#include "platform/backend/script/frame_digest.h"
#include "platform/backend/script/script_player.h"
#include "platform/kernel32/cp932.h"
#include "platform/kernel32/process_end.h"
#include "platform/testing/display.h"

namespace brannock::platform {
namespace {

class HeadlessBackend final : public Backend {
  public:
    explicit HeadlessBackend(const Settings& settings)
        : closeDelayMs_(settings.headlessCloseMs),
          digests_(script::DigestWriter::Open(settings)),
          player_(settings.script.empty() ? nullptr
                                          : script::ScriptPlayer::Load(settings, digests_.get())),
          frames_([this](const script::FrameEnd& end) {
              if (digests_) digests_->FrameShown(end.frame);
              if (player_) player_->FrameEnded(end);
          }) {
        if (!settings.record.empty())
            std::fprintf(stderr, "brannock: BRANNOCK_RECORD records on the sdl2 backend only\n");
        if (!settings.headlessScreenshot.empty()) {
            AtProcessEnd([path = settings.headlessScreenshot] {
                if (!testing::SaveScreenBitmap(path.c_str()))
                    std::fprintf(stderr, "brannock: cannot save the screen to %s\n", path.c_str());
            });
        }
    }

    const char* Name() const override { return "headless"; }

    void WindowCreated(HWND window) override {
        if (player_) player_->WindowCreated(window);
        if (closeDelayMs_ >= 0 && !firstWindowSeen_.exchange(true))
            closeTimer_.Start(window, closeDelayMs_);
    }

    // There is no host window to keep in step, and the screen is the
    // platform's own memory: pixels and window changes need nothing more.
    void WindowDestroyed(HWND) override {}
    void WindowChanged(HWND) override {}
    void ScreenUpdated(const RECT&) override {}
    void OverlayUpdated(HWND) override {}
    void DisplayModeChanged(HWND) override {}
    void FramePresented() override { frames_.Presented(); }
    void FramePaced(int framesPerSecond) override { frames_.Paced(framesPerSecond); }

    // Input comes from the test controls, which write it in place.
    void PumpEvents() override {}

    // Recorded in the caller's code page, as MessageBoxA received it.
    int ShowMessageBox(HWND owner, const std::string& textUtf8, const std::string& captionUtf8,
                       UINT type) override {
        headless::RecordMessageBox({owner, Utf8ToCp932(textUtf8), Utf8ToCp932(captionUtf8), type});
        return DefaultMessageBoxButton(type);
    }

    bool ReadJoystick(UINT id, JoystickReading& reading) override {
        return headless::ReadJoystickState(id, reading);
    }

  private:
    const int closeDelayMs_;
    std::atomic<bool> firstWindowSeen_{false};
    headless::CloseTimer closeTimer_;
    const std::unique_ptr<script::DigestWriter> digests_;
    const std::unique_ptr<script::ScriptPlayer> player_;
    script::FrameCounter frames_;
};

}  // namespace

std::unique_ptr<Backend> CreateHeadlessBackend(const Settings& settings) {
    return std::make_unique<HeadlessBackend>(settings);
}

}  // namespace brannock::platform
