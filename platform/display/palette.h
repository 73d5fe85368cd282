// Colour tables of indexed pixels: the colour of an index, the index nearest
// a colour, and whole-row conversions between indexed and direct formats.
#pragma once

#include <array>
#include <cstdint>

#include "platform/display/pixel_format.h"

namespace brannock::platform::display {

// Up to 256 colours as 0x00RRGGBB; entries from `count` on are black and
// never chosen as nearest.
struct Palette {
    std::array<std::uint32_t, 256> colours{};
    int count = 256;

    std::uint32_t ColourOf(std::uint32_t index) const { return colours[index & 0xFF]; }
};

// The index of the table colour nearest `rgb` (straight-line distance in
// RGB; the lowest index among equals).
std::uint8_t NearestIndex(const Palette& palette, std::uint32_t rgb);

// Converts `count` pixels of one row between an indexed format and `format`.
using PaletteRowConverter = void (*)(const std::uint8_t* source, std::uint8_t* target, int count,
                                     const Palette& palette);
PaletteRowConverter FromIndexed(PixelFormat target);
PaletteRowConverter ToIndexed(PixelFormat source);

// Writes index 1 for each of `count` source pixels whose value is `match`
// and 0 for the others: colour to monochrome, one row at a time.
using MatchRowConverter = void (*)(const std::uint8_t* source, std::uint8_t* target, int count,
                                   std::uint32_t match);
MatchRowConverter MatchTo(PixelFormat source);

}  // namespace brannock::platform::display
