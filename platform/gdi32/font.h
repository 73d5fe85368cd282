// The built-in font of TextOutA: printable ASCII in 8x16 cells. Glyphs are
// drawn on a 5x8 grid (seven rows above the baseline, one below) and shown
// one pixel wide and two high, one column in from the cell's left edge.
#pragma once

#include <cstdint>

namespace brannock::platform::gdi {

inline constexpr int kCellWidth = 8;
inline constexpr int kCellHeight = 16;
inline constexpr int kGlyphColumns = 5;
inline constexpr int kGlyphRows = 8;

// The glyph of a byte: eight rows, bit 4 the leftmost column. Bytes outside
// printable ASCII (Shift-JIS among them) show a hollow box.
const std::uint8_t* Glyph(unsigned char c);

// Whether cell pixel (x, y) of the glyph is ink.
inline bool Ink(const std::uint8_t* glyph, int x, int y) {
    const int column = x - 1;
    if (column < 0 || column >= kGlyphColumns) return false;
    return (glyph[y / 2] >> (kGlyphColumns - 1 - column)) & 1;
}

}  // namespace brannock::platform::gdi
