#include "platform/backend/sdl2/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <span>

#include "platform/backend/message_box_buttons.h"
#include "platform/user32/user32.h"

namespace brannock::platform::sdl2 {
namespace {

const char* ButtonText(int id) {
    switch (id) {
        case IDOK:
            return "OK";
        case IDCANCEL:
            return "Cancel";
        case IDABORT:
            return "Abort";
        case IDRETRY:
            return "Retry";
        case IDIGNORE:
            return "Ignore";
        case IDYES:
            return "Yes";
        case IDNO:
            return "No";
        default:
            return "?";
    }
}

Uint32 IconFlags(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR:
            return SDL_MESSAGEBOX_ERROR;
        case MB_ICONWARNING:
            return SDL_MESSAGEBOX_WARNING;
        default:
            return SDL_MESSAGEBOX_INFORMATION;
    }
}

// The answer of Escape or of closing the box: Cancel, else No, else the
// only button.
int EscapeButton(std::span<const int> ids) {
    for (int wanted : {IDCANCEL, IDNO})
        for (int id : ids)
            if (id == wanted) return id;
    return ids[0];
}

int PrintMessageBox(const std::string& text, const std::string& caption, UINT type) {
    const int answer = DefaultMessageBoxButton(type);
    std::fprintf(stderr, "[%s] %s (answered %s)\n", caption.c_str(), text.c_str(),
                 ButtonText(answer));
    std::fflush(stderr);
    return answer;
}

}  // namespace

int ShowHostMessageBox(const std::string& textUtf8, const std::string& captionUtf8, UINT type,
                       bool toStderr) {
    if (toStderr) return PrintMessageBox(textUtf8, captionUtf8, type);
    const auto ids = MessageBoxButtons(type);
    const int defaultId = DefaultMessageBoxButton(type);
    SDL_MessageBoxButtonData buttons[3]{};
    int count = 0;
    for (int id : ids) {
        Uint32 flags = 0;
        if (id == defaultId) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (id == EscapeButton(ids)) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        buttons[count++] = SDL_MessageBoxButtonData{flags, id, ButtonText(id)};
    }
    const SDL_MessageBoxData box{
        IconFlags(type), nullptr, captionUtf8.c_str(), textUtf8.c_str(), count, buttons, nullptr};
    int chosen = -1;
    if (SDL_ShowMessageBox(&box, &chosen) != 0) return PrintMessageBox(textUtf8, captionUtf8, type);
    return chosen < 0 ? EscapeButton(ids) : chosen;
}

}  // namespace brannock::platform::sdl2
