// brannock_art: writes the sample's data files.
//
//   brannock_art FOLDER                  Sprite.txt and image/*.bmp under FOLDER
//   brannock_art --preview FOLDER        contact_sheet.bmp and scene.bmp, to look at
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/art/bmp_writer.h"
#include "tools/art/preview.h"
#include "tools/art/sample_art.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: brannock_art FOLDER            write the sample's data under FOLDER\n"
                 "       brannock_art --preview FOLDER  write a contact sheet and a scene\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace brannock::art;
    const bool preview = argc == 3 && std::strcmp(argv[1], "--preview") == 0;
    if (argc != 2 && !preview) return Usage();
    const std::filesystem::path folder = argv[argc - 1];

    SampleArt art;
    std::string error;
    if (!MakeSampleArt(art, error)) {
        std::fprintf(stderr, "brannock_art: %s\n", error.c_str());
        return 1;
    }
    std::vector<ArtFile> files = art.files;
    if (preview) {
        files = {{"contact_sheet.bmp", EncodeBitmap24(ContactSheet(art.animations))},
                 {"scene.bmp", EncodeBitmap24(Scene(art.background, art.animations))}};
    }
    if (!WriteArtFiles(folder, files, error)) {
        std::fprintf(stderr, "brannock_art: %s\n", error.c_str());
        return 1;
    }
    for (const ArtFile& file : files)
        std::printf("%s\n", (folder / file.name).string().c_str());
    return 0;
}
