// Menu item texts drawn with the platform's built-in font, into 0x00RRGGBB
// pixel rows. A '&' marks the next character as the item's access key and
// is not drawn ("&&" draws one '&').
#pragma once

#include <cstdint>
#include <string_view>

namespace brannock::platform::sdl2 {

// The colours of the menu bar and its drop-downs (0x00RRGGBB).
inline constexpr std::uint32_t kMenuTextColour = 0x000000;
inline constexpr std::uint32_t kMenuGrayedColour = 0x909090;
inline constexpr std::uint32_t kMenuHighlightColour = 0x3070C0;  // open or pointed-at item
inline constexpr std::uint32_t kMenuHighlightTextColour = 0xFFFFFF;

struct PixelRows {
    std::uint32_t* pixels = nullptr;  // the top-left pixel
    int width = 0;
    int height = 0;
    int pitch = 0;  // pixels from one row to the next
};

// Width in pixels of the text as drawn.
int MenuTextWidth(std::string_view text);

// Draws the text with the top-left of its first cell at (x, y), clipped to
// the rows.
void DrawMenuText(const PixelRows& rows, int x, int y, std::string_view text, std::uint32_t colour);

// Fills a rectangle, clipped to the rows.
void FillPixels(const PixelRows& rows, int left, int top, int right, int bottom,
                std::uint32_t colour);

}  // namespace brannock::platform::sdl2
