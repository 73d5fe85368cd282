// Solid brushes and FillRect.
#include "platform/gdi32/drawing.h"

using namespace brannock::platform;

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    auto brush = std::make_shared<gdi::Brush>();
    brush->colour = color & 0xFFFFFF;
    return static_cast<HBRUSH>(gdi::AddBrush(std::move(brush)));
}

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    const auto brush = gdi::FindBrush(hbr);
    if (!lprc || !brush) return 0;
    const std::uint32_t rgb = display::SwapRedBlue(brush->colour);
    const bool drawn = gdi::DrawOn(
        hDC, [&](const display::PixelView& view, const RECT& clip, const gdi::Target& target) {
            const RECT area = display::Intersect(gdi::ToCanvas(target, *lprc), clip);
            display::Fill(view, area, display::RgbToPixel(view, rgb));
            return area;
        });
    return drawn ? 1 : 0;
}
