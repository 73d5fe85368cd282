// BitBlt: SRCCOPY between any two DCs, converting pixel formats (and to and
// from monochrome through the DCs' colours); BLACKNESS and WHITENESS fills.
#include "platform/gdi32/drawing.h"

using namespace brannock::platform;

namespace {

// Fills the destination rectangle with a plain colour.
BOOL FillBlt(HDC hdc, int x, int y, int cx, int cy, std::uint32_t rgb) {
    const bool drawn = gdi::DrawOn(
        hdc, [&](const display::PixelView& view, const RECT& clip, const gdi::Target& target) {
            const RECT area = display::Intersect(gdi::ToCanvas(target, x, y, cx, cy), clip);
            display::Fill(view, area, display::RgbToPixel(view, rgb));
            return area;
        });
    return drawn ? TRUE : FALSE;
}

// Colour to monochrome: pixels of the source's background colour become
// white (1), all others black (0).
void MatchRows(const display::BlitJob& job, std::uint32_t background) {
    const display::MatchRowConverter convert = display::MatchTo(job.source.format);
    const RECT& clip = job.clip;
    for (int y = clip.top; y < clip.bottom; ++y) {
        convert(job.source.At(job.sourceRect.left, job.sourceRect.top + (y - clip.top)),
                job.target.At(clip.left, y), clip.right - clip.left, background);
    }
}

}  // namespace

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    if (cx < 0 || cy < 0) return FALSE;
    if (rop == BLACKNESS) return FillBlt(hdc, x, y, cx, cy, 0x000000);
    if (rop == WHITENESS) return FillBlt(hdc, x, y, cx, cy, 0xFFFFFF);
    if (rop != SRCCOPY) return FALSE;

    gdi::Target target, source;
    if (!gdi::ResolveTarget(hdc, target) || !gdi::ResolveTarget(hdcSrc, source)) return FALSE;
    RECT drawn{};
    {
        display::CanvasLock lock(target.canvas, source.canvas);
        const display::PixelView to = target.canvas.ViewLocked();
        const display::PixelView from = source.canvas.ViewLocked();
        if (to.width == 0 || from.width == 0) return FALSE;
        // Where the copy lands, cut to what both sides have.
        const RECT sourceArea =
            display::Intersect(gdi::ToCanvas(source, x1, y1, cx, cy),
                               display::Intersect(source.clip, display::Bounds(from)));
        const RECT placed = gdi::ToCanvas(target, x, y, cx, cy);
        const RECT taken = gdi::ToCanvas(source, x1, y1, cx, cy);
        const LONG dx = placed.left - taken.left, dy = placed.top - taken.top;
        const RECT landing{sourceArea.left + dx, sourceArea.top + dy, sourceArea.right + dx,
                           sourceArea.bottom + dy};
        drawn = display::Intersect(
            landing, display::Intersect(gdi::ToCanvas(target, x, y, cx, cy),
                                        display::Intersect(target.clip, display::Bounds(to))));
        if (!display::IsEmpty(drawn)) {
            display::BlitJob job;
            job.target = to;
            job.targetRect = drawn;
            job.clip = drawn;
            job.source = from;
            job.sourceRect = {drawn.left - dx, drawn.top - dy, drawn.right - dx, drawn.bottom - dy};
            // Monochrome to colour: 0 takes the target's text colour, 1 its
            // background colour.
            display::Palette twoColours;
            if (source.monochrome && !target.monochrome) {
                twoColours.count = 2;
                twoColours.colours[0] = display::SwapRedBlue(target.dc->textColour);
                twoColours.colours[1] = display::SwapRedBlue(target.dc->backColour);
                job.source.palette = &twoColours;
            }
            if (target.monochrome && !source.monochrome) {
                MatchRows(job,
                          display::RgbToPixel(from, display::SwapRedBlue(source.dc->backColour)));
            } else {
                display::Blit(job);
            }
        }
    }
    target.dc->dirty = display::Union(target.dc->dirty, drawn);
    return TRUE;
}
