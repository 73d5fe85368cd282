// Rectangle copies and fills on pixel views: the work behind DirectDraw's
// Blt/BltFast and GDI's BitBlt/FillRect. Whole rows at a time: memcpy for
// opaque copies, tight loops for colour-keyed, mirrored and stretched ones.
// Nothing here locks, allocates per call or checks more than it must;
// callers validate and clip the rectangles first.
#pragma once

#include <cstdint>

#include "platform/display/pixel_buffer.h"
#include "platform/windef.h"

namespace brannock::platform::display {

// A source colour key: pixels whose colour bits lie in [low, high] are not
// copied. Values are in the source's format.
struct ColourKey {
    bool enabled = false;
    std::uint32_t low = 0;
    std::uint32_t high = 0;
};

// A key in the terms of one pixel format: a pixel is keyed when its colour
// bits minus `low` are at most `range`, one unsigned compare for a single
// key or a range. Inactive for a disabled key or an empty range, which key
// nothing.
struct KeyTest {
    bool active = false;
    std::uint32_t mask = 0;
    std::uint32_t low = 0;
    std::uint32_t range = 0;

    bool Keyed(std::uint32_t value) const { return ((value & mask) - low) <= range; }
};
KeyTest KeyTestFor(PixelFormat format, const ColourKey& key);

struct BlitJob {
    PixelView target;
    RECT targetRect{};  // where the whole source rectangle lands
    RECT clip{};        // the part of targetRect drawn; inside the target's bounds
    PixelView source;
    RECT sourceRect{};  // inside the source's bounds
    bool mirrorLeftRight = false;
    bool mirrorUpDown = false;
    ColourKey key;
};

// Copies sourceRect onto targetRect (stretched when the sizes differ, with
// nearest-pixel sampling at pixel centres), drawing only inside clip.
// Converts between formats for plain copies (to an indexed target, the
// nearest table colour); keyed, mirrored or stretched copies need equal
// direct formats and return false otherwise. Source and target
// may share memory.
bool Blit(const BlitJob& job);

// Sets every pixel of `rect` (inside the view) to the pixel value `pixel`.
void Fill(const PixelView& target, const RECT& rect, std::uint32_t pixel);

// Rectangle helpers.
inline bool IsEmpty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}
RECT Intersect(const RECT& a, const RECT& b);
RECT Union(const RECT& a, const RECT& b);  // an empty side is ignored
// A rectangle from a position and size given by a caller, kept far from
// the int limits so later offsets cannot overflow.
RECT ClampedRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);
inline RECT Bounds(const PixelView& view) {
    return {0, 0, view.width, view.height};
}
inline bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace brannock::platform::display
