// TextOutA with the built-in font: one 8x16 cell per byte, the text colour
// on the background colour (OPAQUE) or on what is there (TRANSPARENT).
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
        const std::uint32_t inkPixel = display::RgbToPixel(view.format, ink);
        const std::uint32_t paperPixel = display::RgbToPixel(view.format, paper);
        const int bytes = display::BytesPerPixel(view.format);
        const RECT line = gdi::ToCanvas(target, x, y, std::int64_t{gdi::kCellWidth} * c, gdi::kCellHeight);
        const RECT visible = display::Intersect(line, clip);
        if (display::IsEmpty(visible)) return RECT{};
        if (opaque) display::Fill(view, visible, paperPixel);
        for (int py = visible.top; py < visible.bottom; ++py) {
            const int cellY = py - line.top;
            std::uint8_t* row = view.Row(py);
            for (int px = visible.left; px < visible.right; ++px) {
                const int offset = px - line.left;
                const auto* glyph = gdi::Glyph(static_cast<unsigned char>(
                    lpString[offset / gdi::kCellWidth]));
                if (gdi::Ink(glyph, offset % gdi::kCellWidth, cellY)) {
                    display::WritePixel(view.format, row + px * bytes, inkPixel);
                }
            }
        }
        return visible;
    });
    return drawn ? TRUE : FALSE;
}
