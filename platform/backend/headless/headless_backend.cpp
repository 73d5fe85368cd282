#include "platform/backend/headless/headless_backend.h"

#include "platform/backend/headless/headless_state.h"
#include "platform/backend/message_box_buttons.h"
#include "platform/kernel32/cp932.h"

namespace brannock::platform {
namespace {

class HeadlessBackend final : public Backend {
  public:
    explicit HeadlessBackend(const Settings&) {}

    const char* Name() const override { return "headless"; }

    // There is no host window to keep in step, and the screen is the
    // platform's own memory: pixels and window changes need nothing more.
    void WindowCreated(HWND) override {}
    void WindowDestroyed(HWND) override {}
    void WindowChanged(HWND) override {}
    void ScreenUpdated(const RECT&) override {}
    void OverlayUpdated(HWND) override {}
    void DisplayModeChanged(HWND) override {}
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
};

}  // namespace

std::unique_ptr<Backend> CreateHeadlessBackend(const Settings& settings) {
    return std::make_unique<HeadlessBackend>(settings);
}

}  // namespace brannock::platform
