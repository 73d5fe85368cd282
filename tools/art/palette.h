// The fighter's palette: the key, a dark outline, and four tones of each
// material (highlight, base, shadow, and a deep tone used where the far-side
// limbs fall in shadow). Every frame's bitmap carries this palette.
#pragma once

#include <array>
#include <cstdint>

#include "tools/art/images.h"

namespace brannock::art {

enum class Material { kSkin, kGi, kBelt, kHair, kBand };
inline constexpr int kMaterialCount = 5;

enum Tone { kHighlight = 0, kBase = 1, kShadow = 2, kDeep = 3 };
inline constexpr int kToneCount = 4;

inline constexpr std::uint8_t kKeyIndex = 0;
inline constexpr std::uint8_t kOutlineIndex = 1;

constexpr std::uint8_t PaletteIndex(Material material, int tone) {
    return static_cast<std::uint8_t>(2 + kToneCount * static_cast<int>(material) + tone);
}

inline constexpr std::array<Rgb, 2 + kMaterialCount* kToneCount> kFighterPalette = {
    kKeyColour,
    MakeRgb(30, 20, 38),  // outline: a warm near-black
    // Skin: warm, with rosy shadows.
    MakeRgb(255, 219, 176),
    MakeRgb(238, 174, 124),
    MakeRgb(192, 118, 84),
    MakeRgb(132, 72, 60),
    // Gi: white cloth, shadows going cool blue.
    MakeRgb(255, 255, 250),
    MakeRgb(218, 224, 236),
    MakeRgb(150, 162, 198),
    MakeRgb(98, 104, 148),
    // Belt: black, a cool sheen on top.
    MakeRgb(112, 108, 136),
    MakeRgb(64, 58, 80),
    MakeRgb(44, 38, 56),
    MakeRgb(36, 28, 46),
    // Hair: very dark brown.
    MakeRgb(110, 78, 64),
    MakeRgb(66, 44, 42),
    MakeRgb(46, 30, 34),
    MakeRgb(38, 24, 32),
    // Headband: red.
    MakeRgb(250, 96, 76),
    MakeRgb(212, 40, 46),
    MakeRgb(146, 22, 44),
    MakeRgb(104, 18, 42),
};

}  // namespace brannock::art
