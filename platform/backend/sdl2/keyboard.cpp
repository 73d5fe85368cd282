#include "platform/backend/sdl2/keyboard.h"

#include "platform/user32/user32.h"

namespace brannock::platform::sdl2 {
namespace {

struct KeyEntry {
    int virtualKey;
    UINT scanCode;
    bool extended = false;
};

// Keys by position, on a US layout for the punctuation keys.
KeyEntry ByScancode(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F10)
        return {VK_F1 + (code - SDL_SCANCODE_F1), 0x3Bu + (code - SDL_SCANCODE_F1)};
    // Row by row, the scan codes of letters follow the keyboard, not A to Z.
    static constexpr UINT kLetterScan[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                             0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                             0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z)
        return {'A' + (code - SDL_SCANCODE_A), kLetterScan[code - SDL_SCANCODE_A]};
    // SDL numbers 1 to 9, then 0, as the keyboard row does.
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_0) {
        const int index = code - SDL_SCANCODE_1;
        return {index == 9 ? '0' : '1' + index, 0x02u + index};
    }
    switch (code) {
        case SDL_SCANCODE_ESCAPE:
            return {VK_ESCAPE, 0x01};
        case SDL_SCANCODE_MINUS:
            return {VK_OEM_MINUS, 0x0C};
        case SDL_SCANCODE_EQUALS:
            return {VK_OEM_PLUS, 0x0D};
        case SDL_SCANCODE_BACKSPACE:
            return {VK_BACK, 0x0E};
        case SDL_SCANCODE_TAB:
            return {VK_TAB, 0x0F};
        case SDL_SCANCODE_LEFTBRACKET:
            return {VK_OEM_4, 0x1A};
        case SDL_SCANCODE_RIGHTBRACKET:
            return {VK_OEM_6, 0x1B};
        case SDL_SCANCODE_RETURN:
            return {VK_RETURN, 0x1C};
        case SDL_SCANCODE_LCTRL:
            return {VK_CONTROL, 0x1D};
        case SDL_SCANCODE_SEMICOLON:
            return {VK_OEM_1, 0x27};
        case SDL_SCANCODE_APOSTROPHE:
            return {VK_OEM_7, 0x28};
        case SDL_SCANCODE_GRAVE:
            return {VK_OEM_3, 0x29};
        case SDL_SCANCODE_LSHIFT:
            return {VK_SHIFT, 0x2A};
        case SDL_SCANCODE_BACKSLASH:
            return {VK_OEM_5, 0x2B};
        case SDL_SCANCODE_COMMA:
            return {VK_OEM_COMMA, 0x33};
        case SDL_SCANCODE_PERIOD:
            return {VK_OEM_PERIOD, 0x34};
        case SDL_SCANCODE_SLASH:
            return {VK_OEM_2, 0x35};
        case SDL_SCANCODE_RSHIFT:
            return {VK_SHIFT, 0x36};
        case SDL_SCANCODE_KP_MULTIPLY:
            return {VK_MULTIPLY, 0x37};
        case SDL_SCANCODE_LALT:
            return {VK_MENU, 0x38};
        case SDL_SCANCODE_SPACE:
            return {VK_SPACE, 0x39};
        case SDL_SCANCODE_CAPSLOCK:
            return {VK_CAPITAL, 0x3A};
        case SDL_SCANCODE_NUMLOCKCLEAR:
            return {VK_NUMLOCK, 0x45, true};
        case SDL_SCANCODE_SCROLLLOCK:
            return {VK_SCROLL, 0x46};
        case SDL_SCANCODE_KP_7:
            return {VK_NUMPAD7, 0x47};
        case SDL_SCANCODE_KP_8:
            return {VK_NUMPAD8, 0x48};
        case SDL_SCANCODE_KP_9:
            return {VK_NUMPAD9, 0x49};
        case SDL_SCANCODE_KP_MINUS:
            return {VK_SUBTRACT, 0x4A};
        case SDL_SCANCODE_KP_4:
            return {VK_NUMPAD4, 0x4B};
        case SDL_SCANCODE_KP_5:
            return {VK_NUMPAD5, 0x4C};
        case SDL_SCANCODE_KP_6:
            return {VK_NUMPAD6, 0x4D};
        case SDL_SCANCODE_KP_PLUS:
            return {VK_ADD, 0x4E};
        case SDL_SCANCODE_KP_1:
            return {VK_NUMPAD1, 0x4F};
        case SDL_SCANCODE_KP_2:
            return {VK_NUMPAD2, 0x50};
        case SDL_SCANCODE_KP_3:
            return {VK_NUMPAD3, 0x51};
        case SDL_SCANCODE_KP_0:
            return {VK_NUMPAD0, 0x52};
        case SDL_SCANCODE_KP_PERIOD:
            return {VK_DECIMAL, 0x53};
        case SDL_SCANCODE_F11:
            return {VK_F11, 0x57};
        case SDL_SCANCODE_F12:
            return {VK_F12, 0x58};
        case SDL_SCANCODE_KP_ENTER:
            return {VK_RETURN, 0x1C, true};
        case SDL_SCANCODE_RCTRL:
            return {VK_CONTROL, 0x1D, true};
        case SDL_SCANCODE_KP_DIVIDE:
            return {VK_DIVIDE, 0x35, true};
        case SDL_SCANCODE_PRINTSCREEN:
            return {VK_SNAPSHOT, 0x37, true};
        case SDL_SCANCODE_RALT:
            return {VK_MENU, 0x38, true};
        case SDL_SCANCODE_PAUSE:
            return {VK_PAUSE, 0x45};
        case SDL_SCANCODE_HOME:
            return {VK_HOME, 0x47, true};
        case SDL_SCANCODE_UP:
            return {VK_UP, 0x48, true};
        case SDL_SCANCODE_PAGEUP:
            return {VK_PRIOR, 0x49, true};
        case SDL_SCANCODE_LEFT:
            return {VK_LEFT, 0x4B, true};
        case SDL_SCANCODE_RIGHT:
            return {VK_RIGHT, 0x4D, true};
        case SDL_SCANCODE_END:
            return {VK_END, 0x4F, true};
        case SDL_SCANCODE_DOWN:
            return {VK_DOWN, 0x50, true};
        case SDL_SCANCODE_PAGEDOWN:
            return {VK_NEXT, 0x51, true};
        case SDL_SCANCODE_INSERT:
            return {VK_INSERT, 0x52, true};
        case SDL_SCANCODE_DELETE:
            return {VK_DELETE, 0x53, true};
        case SDL_SCANCODE_LGUI:
            return {VK_LWIN, 0x5B, true};
        case SDL_SCANCODE_RGUI:
            return {VK_RWIN, 0x5C, true};
        case SDL_SCANCODE_APPLICATION:
            return {VK_APPS, 0x5D, true};
        default:
            return {0, 0};
    }
}

// The side-specific key-state entry of a modifier; GetAsyncKeyState of the
// generic VK_SHIFT, VK_CONTROL and VK_MENU reads either side.
int StateKeyOf(SDL_Scancode code, int virtualKey) {
    switch (code) {
        case SDL_SCANCODE_LSHIFT:
            return VK_LSHIFT;
        case SDL_SCANCODE_RSHIFT:
            return VK_RSHIFT;
        case SDL_SCANCODE_LCTRL:
            return VK_LCONTROL;
        case SDL_SCANCODE_RCTRL:
            return VK_RCONTROL;
        case SDL_SCANCODE_LALT:
            return VK_LMENU;
        case SDL_SCANCODE_RALT:
            return VK_RMENU;
        default:
            return virtualKey;
    }
}

}  // namespace

HostKey TranslateKey(const SDL_Keysym& keysym) {
    const KeyEntry entry = ByScancode(keysym.scancode);
    HostKey key{entry.virtualKey, 0, entry.scanCode, entry.extended};
    if (keysym.sym >= SDLK_a && keysym.sym <= SDLK_z)
        key.virtualKey = 'A' + (keysym.sym - SDLK_a);
    else if (keysym.sym >= SDLK_0 && keysym.sym <= SDLK_9)
        key.virtualKey = '0' + (keysym.sym - SDLK_0);
    key.stateKey = StateKeyOf(keysym.scancode, key.virtualKey);
    return key;
}

int ButtonKey(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return VK_LBUTTON;
        case SDL_BUTTON_RIGHT:
            return VK_RBUTTON;
        case SDL_BUTTON_MIDDLE:
            return VK_MBUTTON;
        default:
            return 0;
    }
}

}  // namespace brannock::platform::sdl2
