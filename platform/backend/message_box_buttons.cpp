#include "platform/backend/message_box_buttons.h"

#include "platform/user32/user32.h"

namespace brannock::platform {

std::span<const int> MessageBoxButtons(UINT type) {
    static constexpr int kOk[] = {IDOK};
    static constexpr int kOkCancel[] = {IDOK, IDCANCEL};
    static constexpr int kAbortRetryIgnore[] = {IDABORT, IDRETRY, IDIGNORE};
    static constexpr int kYesNoCancel[] = {IDYES, IDNO, IDCANCEL};
    static constexpr int kYesNo[] = {IDYES, IDNO};
    static constexpr int kRetryCancel[] = {IDRETRY, IDCANCEL};
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return kOkCancel;
        case MB_ABORTRETRYIGNORE:
            return kAbortRetryIgnore;
        case MB_YESNOCANCEL:
            return kYesNoCancel;
        case MB_YESNO:
            return kYesNo;
        case MB_RETRYCANCEL:
            return kRetryCancel;
        default:
            return kOk;
    }
}

int DefaultMessageBoxButton(UINT type) {
    const std::span<const int> buttons = MessageBoxButtons(type);
    const std::size_t index = (type & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons[0];
}

}  // namespace brannock::platform
