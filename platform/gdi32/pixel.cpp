// GetPixel and SetPixel.
#include "platform/gdi32/drawing.h"

using namespace brannock::platform;

namespace {

bool Inside(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    COLORREF result = CLR_INVALID;
    gdi::DrawOn(
        hdc, [&](const display::PixelView& view, const RECT& clip, const gdi::Target& target) {
            const RECT spot = gdi::ToCanvas(target, x, y, 1, 1);
            const POINT p{spot.left, spot.top};
            if (Inside(clip, p)) {
                const std::uint32_t pixel = display::ReadPixel(view.format, view.At(p.x, p.y));
                result = display::SwapRedBlue(display::PixelToRgb(view, pixel));
            }
            return RECT{};
        });
    return result;
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    COLORREF result = CLR_INVALID;
    gdi::DrawOn(hdc,
                [&](const display::PixelView& view, const RECT& clip, const gdi::Target& target) {
                    const RECT spot = gdi::ToCanvas(target, x, y, 1, 1);
                    const POINT p{spot.left, spot.top};
                    if (!Inside(clip, p)) return RECT{};
                    const std::uint32_t pixel =
                        display::RgbToPixel(view, display::SwapRedBlue(color & 0xFFFFFF));
                    display::WritePixel(view.format, view.At(p.x, p.y), pixel);
                    // The colour as the format keeps it.
                    result = display::SwapRedBlue(display::PixelToRgb(view, pixel));
                    return RECT{p.x, p.y, p.x + 1, p.y + 1};
                });
    return result;
}
