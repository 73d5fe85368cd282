// The sample's data, made from scratch: the definition file Sprite.txt, the
// fighter's frames image/*.bmp and the background image/bg02a.bmp.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/art/animations.h"
#include "tools/art/images.h"
#include "tools/art/sprite_sheet.h"

namespace brannock::art {

struct ArtFile {
    std::string name;  // relative to the sample folder, with '/'
    std::vector<std::uint8_t> bytes;
};

struct SampleArt {
    std::vector<AnimationPlan> plans;
    std::vector<RenderedAnimation> animations;  // point into plans
    RgbImage background;
    std::vector<ArtFile> files;  // Sprite.txt first, then the bitmaps by name

    SampleArt() = default;
    SampleArt(const SampleArt&) = delete;
    SampleArt& operator=(const SampleArt&) = delete;
};

// Makes everything; the same bytes on every run and every build. False,
// with the reason in `error`, when a pose is broken.
bool MakeSampleArt(SampleArt& art, std::string& error);

// Writes the files under `folder` (creating folder/image). False, with the
// reason in `error`, when a file cannot be written.
bool WriteArtFiles(const std::filesystem::path& folder, const std::vector<ArtFile>& files,
                   std::string& error);

}  // namespace brannock::art
