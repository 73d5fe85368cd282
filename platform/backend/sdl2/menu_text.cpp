#include "platform/backend/sdl2/menu_text.h"

#include <algorithm>

#include "platform/gdi32/font.h"

namespace brannock::platform::sdl2 {
namespace {

// Calls `draw` with each character that is shown.
template <typename Draw>
void ForEachShown(std::string_view text, Draw&& draw) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 == text.size()) break;
            ++i;
        }
        draw(static_cast<unsigned char>(text[i]));
    }
}

}  // namespace

int MenuTextWidth(std::string_view text) {
    int count = 0;
    ForEachShown(text, [&](unsigned char) { ++count; });
    return count * gdi::kCellWidth;
}

void DrawMenuText(const PixelRows& rows, int x, int y, std::string_view text,
                  std::uint32_t colour) {
    ForEachShown(text, [&](unsigned char c) {
        const std::uint8_t* glyph = gdi::Glyph(c);
        for (int gy = 0; gy < gdi::kCellHeight; ++gy) {
            const int py = y + gy;
            if (py < 0 || py >= rows.height) continue;
            std::uint32_t* row = rows.pixels + static_cast<std::ptrdiff_t>(py) * rows.pitch;
            for (int gx = 0; gx < gdi::kCellWidth; ++gx) {
                const int px = x + gx;
                if (px >= 0 && px < rows.width && gdi::Ink(glyph, gx, gy)) row[px] = colour;
            }
        }
        x += gdi::kCellWidth;
    });
}

void FillPixels(const PixelRows& rows, int left, int top, int right, int bottom,
                std::uint32_t colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, rows.width);
    bottom = std::min(bottom, rows.height);
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = rows.pixels + static_cast<std::ptrdiff_t>(y) * rows.pitch;
        std::fill(row + left, row + std::max(left, right), colour);
    }
}

}  // namespace brannock::platform::sdl2
