// Host keys as Win32 sees them: virtual-key codes and PC scan codes.
#pragma once

#include <SDL.h>

#include "platform/backend/key_message.h"

namespace brannock::platform::sdl2 {

// Letters and digits follow the host's keyboard layout (the key that types
// 'q' is VK 'Q' on any layout); every other key is named by its position.
HostKey TranslateKey(const SDL_Keysym& keysym);

// The virtual key of a mouse button (VK_LBUTTON, ...); 0 for other buttons.
int ButtonKey(Uint8 button);

}  // namespace brannock::platform::sdl2
