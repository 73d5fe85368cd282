// The sample's data files: the art generator reproduces them, and the
// bitmaps are what the display needs (a clean colour key, a 16-bit-exact
// background).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "tools/art/sample_art.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSample = fs::path(BRANNOCK_SOURCE_DIR) / "sample";

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A folder of its own under the temporary folder, removed at the end.
class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        path_ = fs::temp_directory_path() /
                ("brannock_art_" + std::to_string(random()) + std::to_string(random()));
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
};

TEST(ArtGenerator, ReproducesTheCommittedDataByteForByte) {
    brannock::art::SampleArt art;
    std::string error;
    ASSERT_TRUE(brannock::art::MakeSampleArt(art, error)) << error;
    const TempFolder folder;
    ASSERT_TRUE(brannock::art::WriteArtFiles(folder.Path(), art.files, error)) << error;

    std::set<std::string> written;
    for (const brannock::art::ArtFile& file : art.files) {
        written.insert(file.name);
        const std::vector<std::uint8_t> made = ReadFile(folder.Path() / file.name);
        EXPECT_EQ(made, file.bytes) << file.name << " was not written as made";
        EXPECT_TRUE(ReadFile(kSample / file.name) == made)
            << "sample/" << file.name << " differs from what tools/art makes now; "
            << "run brannock_art sample and commit the result";
    }
    // No bitmap is left over from an earlier version of the art.
    for (const fs::directory_entry& entry : fs::directory_iterator(kSample / "image")) {
        EXPECT_TRUE(written.count("image/" + entry.path().filename().string()))
            << entry.path() << " is not made by tools/art";
    }
    EXPECT_TRUE(written.count("Sprite.txt"));
    EXPECT_TRUE(written.count("image/bg02a.bmp"));
}

// A bitmap file's pixels as LoadImageA gives them.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

Picture ReadPicture(const fs::path& path) {
    Picture picture;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.string().c_str(), IMAGE_BITMAP,
                                                     0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return picture;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return picture;
}

std::vector<fs::path> FrameFiles() {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(kSample / "image"))
        if (entry.path().filename() != "bg02a.bmp") files.push_back(entry.path());
    return files;
}

TEST(ArtFrames, HaveKeyColouredBordersAnOddWidthAndNoFringe) {
    const COLORREF key = RGB(255, 0, 255);
    const std::vector<fs::path> files = FrameFiles();
    ASSERT_GE(files.size(), 9u);
    for (const fs::path& file : files) {
        const Picture picture = ReadPicture(file);
        ASSERT_GT(picture.width, 2) << file;
        ASSERT_GT(picture.height, 2) << file;
        // Mirrored, an odd-width frame turns about its middle column, which
        // keeps a left-facing fighter on the same spot as a right-facing one.
        EXPECT_EQ(picture.width % 2, 1) << file;
        int opaque = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const COLORREF c = picture.At(x, y);
                const bool border =
                    x == 0 || y == 0 || x == picture.width - 1 || y == picture.height - 1;
                if (border) {
                    EXPECT_EQ(c, key) << file << " border at " << x << "," << y;
                }
                if (c == key) continue;
                ++opaque;
                // A pixel this close to the key looks transparent to the eye
                // but is drawn: a fringe.
                EXPECT_FALSE(GetRValue(c) >= 254 && GetGValue(c) <= 1 && GetBValue(c) >= 254)
                    << file << " fringe at " << x << "," << y;
            }
        }
        EXPECT_GT(opaque, 1000) << file;
    }
}

TEST(ArtBackground, FillsTheScreenInColoursA16BitDisplayShowsExactly) {
    const Picture picture = ReadPicture(kSample / "image" / "bg02a.bmp");
    ASSERT_EQ(picture.width, 640);
    ASSERT_EQ(picture.height, 480);
    // Every colour is a 5-6-5 one widened to 24 bits, so the dithering the
    // generator chose is what a 16-bit screen shows.
    auto widened = [](int channel, int bits) {
        const int level = channel >> (8 - bits);
        return channel == (level << (8 - bits) | level >> (2 * bits - 8));
    };
    std::set<COLORREF> colours;
    for (const COLORREF c : picture.pixels) {
        ASSERT_TRUE(widened(GetRValue(c), 5) && widened(GetGValue(c), 6) &&
                    widened(GetBValue(c), 5))
            << std::hex << c;
        colours.insert(c);
    }
    EXPECT_GT(colours.size(), 300u);  // gradients, not flat fills
}

}  // namespace
