#include "platform/backend/headless/headless_backend.h"

#include <span>

#include "platform/backend/headless/headless_state.h"
#include "platform/kernel32/cp932.h"
#include "platform/user32/user32.h"

namespace brannock::platform {
namespace {

// The button a user who just presses Enter chooses: the default button of
// the box's button set (the first one when MB_DEFBUTTONn names none).
int DefaultButton(UINT type) {
    static constexpr int kOk[] = {IDOK};
    static constexpr int kOkCancel[] = {IDOK, IDCANCEL};
    static constexpr int kAbortRetryIgnore[] = {IDABORT, IDRETRY, IDIGNORE};
    static constexpr int kYesNoCancel[] = {IDYES, IDNO, IDCANCEL};
    static constexpr int kYesNo[] = {IDYES, IDNO};
    static constexpr int kRetryCancel[] = {IDRETRY, IDCANCEL};
    std::span<const int> buttons = kOk;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            buttons = kOkCancel;
            break;
        case MB_ABORTRETRYIGNORE:
            buttons = kAbortRetryIgnore;
            break;
        case MB_YESNOCANCEL:
            buttons = kYesNoCancel;
            break;
        case MB_YESNO:
            buttons = kYesNo;
            break;
        case MB_RETRYCANCEL:
            buttons = kRetryCancel;
            break;
        default:
            break;
    }
    const std::size_t index = (type & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons[0];
}

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
        return DefaultButton(type);
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
