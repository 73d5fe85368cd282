// Broken and hostile bitmaps give a clear error, never a crash, a read past
// the buffer or a wrong picture.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "platform/bmp/bmp_decoder.h"
#include "tests/platform/bmp_test_file.h"

namespace {

using bmp_test::Bytes;
using bmp_test::TestFile;
using brannock::bmp::Decode;
using brannock::bmp::DecodeFile;

const std::string kDataDir = BRANNOCK_TEST_DATA_DIR "/bmp/";

// A valid 2 x 2, 24-bit file for the cases to break.
TestFile Rgb2x2() {
    return TestFile{.width = 2, .height = 2, .pixelData = Bytes(16, 0x80)};
}

TestFile Rle8(Bytes codes) {
    return TestFile{.width = 4,
                    .height = 2,
                    .bitsPerPixel = 8,
                    .compression = 1,
                    .palette = {0xFFFFFF},
                    .pixelData = std::move(codes)};
}

Bytes With(TestFile file, const std::function<void(TestFile&)>& change) {
    change(file);
    return file.Build();
}

Bytes Truncated(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

TEST(BmpHostile, EachBrokenFileGivesItsError) {
    const Bytes valid = Rgb2x2().Build();
    const struct {
        const char* what;
        Bytes file;
        const char* error;
    } cases[] = {
        {"empty", {}, "empty file"},
        {"no signature", Bytes{'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         "not a bitmap"},
        {"file header only", Truncated(valid, 16), "too short"},
        {"unknown header size", With(Rgb2x2(), [](auto& f) { f.headerSize = 200; }),
         "header size 200"},
        {"header longer than the file",
         Truncated(With(Rgb2x2(), [](auto& f) { f.headerSize = 124; }), 60),
         "truncated bitmap header"},
        {"zero width", With(Rgb2x2(), [](auto& f) { f.width = 0; }), "invalid image size"},
        {"zero height", With(Rgb2x2(), [](auto& f) { f.height = 0; }), "invalid image size"},
        {"negative width", With(Rgb2x2(), [](auto& f) { f.width = -2; }), "invalid image size"},
        {"huge width", With(Rgb2x2(), [](auto& f) { f.width = 0x7FFFFFFF; }), "largest side"},
        {"most negative height", With(Rgb2x2(), [](auto& f) { f.height = INT32_MIN; }),
         "largest side"},
        {"too many pixels", With(Rgb2x2(), [](auto& f) { f.width = f.height = 16384; }),
         "largest pixel count"},
        {"offset past the end", With(Rgb2x2(), [](auto& f) { f.pixelOffset = 1000; }),
         "past the end of the file"},
        {"offset inside the headers", With(Rgb2x2(), [](auto& f) { f.pixelOffset = 30; }),
         "inside the headers"},
        {"rows missing", Truncated(valid, valid.size() - 5), "truncated pixel data"},
        {"palette cut off",
         Truncated(With(Rgb2x2(),
                        [](auto& f) {
                            f.bitsPerPixel = 8;
                            f.palette.assign(256, 0);
                        }),
                   300),
         "past the end of the file"},
        {"unknown compression", With(Rgb2x2(), [](auto& f) { f.compression = 9; }),
         "unknown compression 9"},
        {"embedded JPEG", With(Rgb2x2(), [](auto& f) { f.compression = 4; }), "JPEG"},
        {"odd depth", With(Rgb2x2(), [](auto& f) { f.bitsPerPixel = 7; }), "unsupported depth"},
        {"RLE8 at 4 bits", With(Rle8({0, 1}), [](auto& f) { f.bitsPerPixel = 4; }),
         "RLE8 compression with 4 bits"},
        {"RLE4 at 8 bits", With(Rle8({0, 1}), [](auto& f) { f.compression = 2; }),
         "RLE4 compression with 8 bits"},
        {"bit fields at 24 bits", With(Rgb2x2(), [](auto& f) { f.compression = 3; }),
         "bit-field compression with 24 bits"},
        {"core header at 16 bits",
         With(Rgb2x2(),
              [](auto& f) {
                  f.headerSize = 12;
                  f.bitsPerPixel = 16;
              }),
         "core header"},
        {"top-down RLE", With(Rle8({0, 1}), [](auto& f) { f.height = -2; }), "top-down"},
        {"masks cut off",
         Truncated(With(Rgb2x2(),
                        [](auto& f) {
                            f.compression = 3;
                            f.bitsPerPixel = 32;
                        }),
                   60),
         "truncated colour masks"},
        {"scattered mask",
         With(Rgb2x2(),
              [](auto& f) {
                  f.compression = 3;
                  f.bitsPerPixel = 32;
                  f.masks = {0xFF0000, 0xF0F0, 0xFF};
              }),
         "0x0000F0F0 is not one run"},
        {"delta past the top", Rle8({0, 2, 1, 3, 0, 1}).Build(), "outside the image"},
        {"run past the last row", Rle8({0, 0, 0, 0, 1, 0}).Build(), "past the last row"},
        {"line end past the last row", Rle8({0, 0, 0, 0, 0, 0}).Build(), "past the last row"},
        {"no end-of-bitmap code", Rle8({4, 0, 0, 0, 2, 0}).Build(), "ends before"},
        {"absolute run cut off", Rle8({0, 4, 0, 0}).Build(), "absolute run cut off"},
        {"delta cut off", Rle8({0, 2, 1}).Build(), "delta code cut off"},
    };
    for (const auto& c : cases) {
        const auto result = Decode(c.file);
        EXPECT_FALSE(result.image) << c.what;
        EXPECT_NE(result.error.find(c.error), std::string::npos) << c.what << ": " << result.error;
    }
}

TEST(BmpHostile, HugePaletteCountsReadOnlyWhatTheDepthCanIndex) {
    TestFile file{.bitsPerPixel = 1, .colorsUsed = 0xFFFFFFFF, .palette = {0x111111, 0x222222}};
    file.pixelData = {0x80, 0, 0, 0};
    const auto result = Decode(file.Build());
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.image->pixels, std::vector<std::uint32_t>{0x222222});
}

// Cutting a file anywhere fails cleanly; only the last row's padding or the
// final end-of-bitmap code may go missing, and then the picture is the same.
TEST(BmpHostile, EveryPrefixOfAValidFileFailsOrGivesTheSamePicture) {
    for (const char* name : {"info_24.bmp", "core_4.bmp", "info_rle8.bmp", "v5_16_565.bmp"}) {
        const auto full = DecodeFile(kDataDir + name);
        ASSERT_TRUE(full) << full.error;
        std::ifstream in(kDataDir + name, std::ios::binary);
        const Bytes bytes{std::istreambuf_iterator<char>(in), {}};
        for (std::size_t size = 0; size < bytes.size(); ++size) {
            const auto result = Decode(std::span(bytes).first(size));
            if (!result) continue;
            EXPECT_GE(size + 3, bytes.size()) << name << " cut to " << size;
            EXPECT_EQ(result.image->pixels, full.image->pixels) << name << " cut to " << size;
        }
    }
}

TEST(BmpHostile, UnreadableFilesNameTheirPath) {
    for (const std::string& path : {kDataDir + "missing.bmp", kDataDir}) {
        const auto result = DecodeFile(path);
        EXPECT_FALSE(result.image);
        EXPECT_NE(result.error.find(path), std::string::npos) << result.error;
    }
}

}  // namespace
