// TextOutA with the built-in font: one 8x16 cell per byte, the text colour
// on the background colour (OPAQUE) or on what is there (TRANSPARENT).
#include <algorithm>

#include "platform/gdi32/drawing.h"
#include "platform/gdi32/font.h"

using namespace brannock::platform;

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    if (c < 0 || (c > 0 && !lpString)) return FALSE;
    const auto dc = gdi::FindDC(hdc);
    if (!dc) return FALSE;
    const std::uint32_t ink = display::SwapRedBlue(dc->textColour);
    const std::uint32_t paper = display::SwapRedBlue(dc->backColour);
    const bool opaque = dc->backMode == OPAQUE;
    const bool drawn = gdi::DrawOn(hdc, [&](const display::PixelView& view, const RECT& clip,
                                            const gdi::Target& target) {
        const std::uint32_t inkPixel = display::RgbToPixel(view, ink);
        const std::uint32_t paperPixel = display::RgbToPixel(view, paper);
        const int bytes = display::BytesPerPixel(view.format);
        const RECT line =
            gdi::ToCanvas(target, x, y, std::int64_t{gdi::kCellWidth} * c, gdi::kCellHeight);
        const RECT visible = display::Intersect(line, clip);
        if (display::IsEmpty(visible)) return RECT{};
        if (opaque) display::Fill(view, visible, paperPixel);
        // Cell by cell; a Shift-JIS lead byte and its trail byte are one
        // character the font has no glyph for, shown as two boxes.
        bool trail = false;
        for (int i = 0; i < c; ++i) {
            const auto byte = static_cast<unsigned char>(lpString[i]);
            const bool lead = !trail && ((byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0);
            const std::uint8_t* glyph = gdi::Glyph((lead || trail) ? 0 : byte);
            trail = lead && i + 1 < c;
            const std::int64_t cellLeft = line.left + std::int64_t{i} * gdi::kCellWidth;
            if (cellLeft >= visible.right) break;
            if (cellLeft + gdi::kCellWidth <= visible.left) continue;
            const int left = static_cast<int>(std::max<std::int64_t>(cellLeft, visible.left));
            const int right =
                static_cast<int>(std::min<std::int64_t>(cellLeft + gdi::kCellWidth, visible.right));
            for (int py = visible.top; py < visible.bottom; ++py) {
                std::uint8_t* row = view.Row(py);
                for (int px = left; px < right; ++px) {
                    if (gdi::Ink(glyph, static_cast<int>(px - cellLeft), py - line.top)) {
                        display::WritePixel(view.format, row + px * bytes, inkPixel);
                    }
                }
            }
        }
        return visible;
    });
    return drawn ? TRUE : FALSE;
}
