// Valid bitmaps of every header version and encoding decode to the exact
// pixels: files written by a common tool, compared with their source pictures,
// and hand-built files for what such tools rarely write.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/bmp/bmp_decoder.h"
#include "tests/platform/bmp_test_file.h"

namespace {

using bmp_test::Bytes;
using bmp_test::PaddedRows;
using bmp_test::TestFile;
using brannock::bmp::Decode;
using brannock::bmp::DecodeFile;
using brannock::bmp::Image;
using Pixels = std::vector<std::uint32_t>;

const std::string kDataDir = BRANNOCK_TEST_DATA_DIR "/bmp/";

// Reads a plain-text (P3) PPM picture as 0x00RRGGBB pixels.
Image ReadPpm(const std::string& name) {
    std::ifstream in(kDataDir + name);
    std::string magic;
    int maxValue = 0;
    Image image;
    in >> magic >> image.width >> image.height >> maxValue;
    for (int i = 0; i < image.width * image.height; ++i) {
        std::uint32_t r, g, b;
        in >> r >> g >> b;
        image.pixels.push_back(r << 16 | g << 8 | b);
    }
    EXPECT_TRUE(in && magic == "P3") << name;
    return image;
}

Image DecodeOk(const Bytes& file) {
    auto result = Decode(file);
    EXPECT_TRUE(result) << result.error;
    return result ? *result.image : Image{};
}

TEST(BmpFormats, ToolWrittenFilesMatchTheirSourcePictures) {
    struct Case {
        const char* bmp;
        const char* ppm;
        int bits;
    };
    for (const Case& c : {Case{"info_24.bmp", "full.ppm", 24},
                          {"core_24.bmp", "full.ppm", 24},
                          {"v5_32_bitfields.bmp", "full.ppm", 32},
                          {"v5_16_565.bmp", "hi565.ppm", 16},
                          {"v5_16_555.bmp", "hi555.ppm", 16},
                          {"info_8.bmp", "pal20.ppm", 8},
                          {"info_rle8.bmp", "pal20.ppm", 8},
                          {"info_4.bmp", "pal6.ppm", 4},
                          {"core_4.bmp", "pal6.ppm", 4},
                          {"info_1.bmp", "mono.ppm", 1}}) {
        SCOPED_TRACE(c.bmp);
        const auto result = DecodeFile(kDataDir + c.bmp);
        ASSERT_TRUE(result) << result.error;
        const Image expected = ReadPpm(c.ppm);
        EXPECT_EQ(result.image->width, expected.width);
        EXPECT_EQ(result.image->height, expected.height);
        EXPECT_EQ(result.image->sourceBitsPerPixel, c.bits);
        EXPECT_EQ(result.image->pixels, expected.pixels);
    }
}

TEST(BmpFormats, RowOrderFollowsTheSignOfTheHeight) {
    TestFile file{.width = 3, .height = 2};
    file.pixelData =
        PaddedRows({{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}});
    const Pixels firstRowFirst = {0x030201, 0x060504, 0x090807, 0x0C0B0A, 0x0F0E0D, 0x121110};
    const Pixels firstRowLast = {0x0C0B0A, 0x0F0E0D, 0x121110, 0x030201, 0x060504, 0x090807};
    EXPECT_EQ(DecodeOk(file.Build()).pixels, firstRowLast);
    file.height = -2;
    const Image topDown = DecodeOk(file.Build());
    EXPECT_EQ(topDown.height, 2);
    EXPECT_EQ(topDown.pixels, firstRowFirst);
}

TEST(BmpFormats, MaskedPixelsScaleEveryChannelWidthToEightBits) {
    struct Case {
        std::uint32_t headerSize, compression;
        std::uint16_t bits;
        std::vector<std::uint32_t> masks;
        Bytes pixel;
        std::uint32_t expected;
    };
    for (const Case& c : std::vector<Case>{
             // Defaults without masks: 5-5-5 and 8-8-8 with the top byte ignored.
             {40, 0, 16, {}, {0x1F, 0x7C}, 0xFF00FF},
             {40, 0, 16, {}, {0x01, 0x02}, 0x008408},
             {108, 0, 32, {0xFF, 0xFF00, 0xFF0000}, {1, 2, 3, 0xAA}, 0x030201},
             // Masks after an info header, with alpha, inside V2, V3 and V4 headers.
             {40, 3, 16, {0xF800, 0x07E0, 0x001F}, {0xE0, 0x07}, 0x00FF00},
             {40, 6, 32, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, {1, 2, 3, 4}, 0x010203},
             {52, 3, 32, {0x3FF00000, 0xFFC00, 0x3FF}, {0xFF, 0x03, 0xF0, 0x3F}, 0xFF00FF},
             {56, 3, 16, {0x4, 0x3, 0x38, 0xFFC0}, {0x1E, 0}, 0xFFAA6D},
             {108, 3, 16, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8}, 0xFF0000},
         }) {
        SCOPED_TRACE(testing::Message()
                     << c.headerSize << "/" << c.compression << " " << std::hex << c.expected);
        TestFile file{.headerSize = c.headerSize,
                      .bitsPerPixel = c.bits,
                      .compression = c.compression,
                      .masks = c.masks};
        file.pixelData = PaddedRows({c.pixel});
        EXPECT_EQ(DecodeOk(file.Build()).pixels, Pixels{c.expected});
    }
}

TEST(BmpFormats, IndexesPastAShortPaletteAreBlack) {
    TestFile file{.width = 4, .bitsPerPixel = 8, .colorsUsed = 2, .palette = {0x112233, 0x445566}};
    file.pixelData = {0, 1, 2, 255};
    EXPECT_EQ(DecodeOk(file.Build()).pixels, (Pixels{0x112233, 0x445566, 0, 0}));
    // No count given, but the pixel data starts after two entries.
    file.colorsUsed = 0;
    EXPECT_EQ(DecodeOk(file.Build()).pixels, (Pixels{0x112233, 0x445566, 0, 0}));
    file.colorsUsed = 0xFFFFFFFF;
    EXPECT_EQ(DecodeOk(file.Build()).pixels, (Pixels{0x112233, 0x445566, 0, 0}));
}

TEST(BmpFormats, RunLengthCodesFillRunsAndLeaveSkippedPixelsBlack) {
    const std::vector<std::uint32_t> palette = {0x000010, 0x000020, 0x000030, 0x000040};
    // 5 x 3, bottom row first: a run and an absolute run of 3 (padded), end of
    // line; a delta over two pixels, an absolute run of 4 cut at the right
    // edge, end of line; a lone run, end of bitmap.
    TestFile rle8{.width = 5, .height = 3, .bitsPerPixel = 8, .compression = 1, .palette = palette};
    rle8.pixelData = {2, 1, 0, 3, 3, 2, 1, 0, 0, 0, 0, 2, 2, 0, 0, 4, 3, 3, 1, 1, 0, 0, 1, 2, 0, 1};
    EXPECT_EQ(DecodeOk(rle8.Build()).pixels,
              (Pixels{0x30, 0, 0, 0, 0, 0, 0, 0x40, 0x40, 0x20, 0x20, 0x20, 0x40, 0x30, 0x20}));
    // RLE4 alternates the two nibbles of a run; absolute runs are nibbles.
    // Runs reaching past the right edge are cut there.
    TestFile rle4{.width = 5, .height = 2, .bitsPerPixel = 4, .compression = 2, .palette = palette};
    rle4.pixelData = {7, 0x12, 0, 0, 0, 3, 0x30, 0x20, 0, 1};
    EXPECT_EQ(DecodeOk(rle4.Build()).pixels,
              (Pixels{0x40, 0x10, 0x30, 0, 0, 0x20, 0x30, 0x20, 0x30, 0x20}));
}

}  // namespace
