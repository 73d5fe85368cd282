// Window layout: where the client area lies inside a window and where a
// window's client area lies on the screen. Needs the user32 lock.
#pragma once

#include "platform/user32/state.h"

namespace brannock::platform::user32 {

// Positions and sizes are kept within +-kCoordinateLimit, so no sum of them
// can overflow whatever a caller passes.
inline constexpr int kCoordinateLimit = 1 << 24;
int ClampCoordinate(int value);
int ClampSize(int value);

// Height of the caption and menu bar above the client area.
int NonClientTop(const Window& w);

// The client area in window coordinates (origin at the window's top-left).
RECT ClientArea(const Window& w);

// Screen position of the origin of the coordinates `w.rect` is given in:
// (0, 0) for top-level windows, the parent's client origin for children.
POINT ParentOrigin(State& state, const Window& w);

// Screen position of the client area's top-left corner.
POINT ClientOrigin(State& state, const Window& w);

}  // namespace brannock::platform::user32
