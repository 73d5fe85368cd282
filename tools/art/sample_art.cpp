// Putting the sample's data together and writing it out.
#include "tools/art/sample_art.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "tools/art/background.h"
#include "tools/art/bmp_writer.h"
#include "tools/art/definition_file.h"
#include "tools/art/palette.h"

namespace brannock::art {

bool MakeSampleArt(SampleArt& art, std::string& error) {
    art.plans = FighterAnimations();
    if (!RenderAnimations(art.plans, art.animations, error)) return false;

    art.files.clear();
    const std::string text = DefinitionFile(art.animations);
    art.files.push_back({"Sprite.txt", {text.begin(), text.end()}});

    // A bitmap named by several frames is written once; the frames must
    // agree on its picture.
    std::map<std::string, const RenderedFrame*> bitmaps;
    for (const RenderedAnimation& animation : art.animations) {
        for (const RenderedFrame& frame : animation.frames) {
            auto [it, added] = bitmaps.emplace(frame.file, &frame);
            if (!added && (it->second->image.pixels != frame.image.pixels ||
                           it->second->image.width != frame.image.width)) {
                error = frame.file + " is named by frames with different pictures";
                return false;
            }
        }
    }
    for (const auto& [file, frame] : bitmaps)
        art.files.push_back({"image/" + file, EncodeBitmap8(frame->image, kFighterPalette)});

    art.background = PaintBackground();
    art.files.push_back({"image/bg02a.bmp", EncodeBitmap24(art.background)});
    std::sort(art.files.begin() + 1, art.files.end(),
              [](const ArtFile& a, const ArtFile& b) { return a.name < b.name; });
    return true;
}

bool WriteArtFiles(const std::filesystem::path& folder, const std::vector<ArtFile>& files,
                   std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(folder / "image", code);
    if (code) {
        error = "cannot create " + (folder / "image").string() + ": " + code.message();
        return false;
    }
    for (const ArtFile& file : files) {
        const std::filesystem::path path = folder / file.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.bytes.data()),
                  static_cast<std::streamsize>(file.bytes.size()));
        out.close();
        if (!out) {
            error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}

}  // namespace brannock::art
