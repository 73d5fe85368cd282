// What the user does to a host window, as Win32 reports it: key and mouse
// messages posted to the window with the key state, cursor position and
// foreground window updated first; focus changes; the close control; the
// menu bar and its drop-down. Window thread only.
#pragma once

#include <SDL.h>

#include "platform/backend/sdl2/host_window.h"

namespace brannock::platform::sdl2 {

// `host` is null for a key event of no window of ours (a release after the
// focus moved away): only the key state follows it.
void HandleKeyEvent(HostWindow* host, const SDL_KeyboardEvent& event);

void HandleMouseMotion(HostWindow& host, const SDL_MouseMotionEvent& event);
void HandleMouseButton(HostWindow& host, const SDL_MouseButtonEvent& event);
void HandleMouseWheel(HostWindow& host, const SDL_MouseWheelEvent& event);

void HandleWindowEvent(HostWindow& host, const SDL_WindowEvent& event);

}  // namespace brannock::platform::sdl2
