// Running a drawing call on a device context's pixels.
#pragma once

#include "platform/display/blit.h"
#include "platform/gdi32/gdi_objects.h"

namespace brannock::platform::gdi {

// Calls `draw(view, clip, target)` with the DC's pixels under the lock they
// need; `clip` is the canvas rectangle drawing may touch. `draw` returns the
// canvas rectangle it changed, which joins the DC's dirty rectangle. False
// when the DC is invalid or has no pixels (a destroyed window).
template <class Draw>
bool DrawOn(HDC hdc, Draw&& draw) {
    Target target;
    if (!ResolveTarget(hdc, target)) return false;
    RECT drawn{};
    {
        display::CanvasLock lock(target.canvas);
        const display::PixelView view = target.canvas.ViewLocked();
        if (view.width == 0) return false;
        drawn = draw(view, display::Intersect(target.clip, display::Bounds(view)),
                     static_cast<const Target&>(target));
    }
    target.dc->dirty = display::Union(target.dc->dirty, drawn);
    return true;
}

// `rect` moved by the DC origin into canvas coordinates.
inline RECT ToCanvas(const Target& target, const RECT& rect) {
    const std::int64_t x = target.origin.x, y = target.origin.y;
    return display::ClampedRect(rect.left + x, rect.top + y, rect.right + x, rect.bottom + y);
}

// The rectangle at (x, y) of size cx by cy, in canvas coordinates.
inline RECT ToCanvas(const Target& target, int x, int y, std::int64_t cx, std::int64_t cy) {
    const std::int64_t left = std::int64_t{x} + target.origin.x;
    const std::int64_t top = std::int64_t{y} + target.origin.y;
    return display::ClampedRect(left, top, left + cx, top + cy);
}

}  // namespace brannock::platform::gdi
