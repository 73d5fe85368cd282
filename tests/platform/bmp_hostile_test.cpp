// Broken and hostile bitmaps give a clear error, never a crash, a read past
// the buffer or a wrong picture.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/bmp/bmp_decoder.h"
#include "tests/platform/bmp_test_file.h"

namespace {

using bmp_test::Bytes;
using bmp_test::TestFile;
using brannock::bmp::Decode;
using brannock::bmp::DecodeFile;

const std::string kDataDir = BRANNOCK_TEST_DATA_DIR "/bmp/";

// Field offsets in a file with an info header.
constexpr std::size_t kPixelOffset = 10, kHeaderSize = 14, kWidth = 18, kHeight = 22, kBits = 28,
                      kCompression = 30;

// A valid 2 x 2, 24-bit file, and a 4 x 2 RLE8 one around the given codes.
const Bytes kRgb2x2 = TestFile{.width = 2, .height = 2, .pixelData = Bytes(16, 0x80)}.Build();
Bytes Rle8(Bytes codes) {
    return TestFile{.width = 4,
                    .height = 2,
                    .bitsPerPixel = 8,
                    .compression = 1,
                    .palette = {0xFFFFFF},
                    .pixelData = std::move(codes)}
        .Build();
}

Bytes Poke(Bytes bytes, std::size_t at, std::uint32_t value, int size = 4) {
    for (int i = 0; i < size; ++i)
        bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
}

Bytes Truncated(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

TEST(BmpHostile, EachBrokenFileGivesItsError) {
    const Bytes rle = Rle8({0, 1});
    // 32-bit bit fields: the masks are read from the first pixel bytes, 0x80.
    const Bytes masked32 = Poke(Poke(kRgb2x2, kCompression, 3), kBits, 32, 2);
    const struct {
        const char* what;
        Bytes file;
        const char* error;
    } cases[] = {
        {"empty", {}, "empty file"},
        {"no signature", Poke(kRgb2x2, 0, 'P' | 'K' << 8, 2), "not a bitmap"},
        {"file header only", Truncated(kRgb2x2, 16), "too short"},
        {"unknown header size", Poke(kRgb2x2, kHeaderSize, 200), "header size 200"},
        {"header longer than the file", Poke(kRgb2x2, kHeaderSize, 124), "truncated bitmap header"},
        {"zero width", Poke(kRgb2x2, kWidth, 0), "invalid image size"},
        {"zero height", Poke(kRgb2x2, kHeight, 0), "invalid image size"},
        {"negative width", Poke(kRgb2x2, kWidth, -2), "invalid image size"},
        {"huge width", Poke(kRgb2x2, kWidth, 0x7FFFFFFF), "largest side"},
        {"most negative height", Poke(kRgb2x2, kHeight, 0x80000000), "largest side"},
        {"too many pixels", Poke(Poke(kRgb2x2, kWidth, 16384), kHeight, 16384), "pixel count"},
        {"offset past the end", Poke(kRgb2x2, kPixelOffset, 1000), "past the end of the file"},
        {"offset inside the headers", Poke(kRgb2x2, kPixelOffset, 30), "inside the headers"},
        {"rows missing", Truncated(kRgb2x2, kRgb2x2.size() - 5), "truncated pixel data"},
        {"palette cut off",
         Truncated(TestFile{.bitsPerPixel = 8, .palette = std::vector<std::uint32_t>(256)}.Build(),
                   300),
         "past the end of the file"},
        {"unknown compression", Poke(kRgb2x2, kCompression, 9), "unknown compression 9"},
        {"embedded JPEG", Poke(kRgb2x2, kCompression, 4), "JPEG"},
        {"odd depth", Poke(kRgb2x2, kBits, 7, 2), "unsupported depth"},
        {"RLE8 at 4 bits", Poke(rle, kBits, 4, 2), "RLE8 compression with 4 bits"},
        {"RLE4 at 8 bits", Poke(rle, kCompression, 2), "RLE4 compression with 8 bits"},
        {"bit fields at 24 bits", Poke(kRgb2x2, kCompression, 3), "bit-field compression with 24"},
        {"core header at 16 bits", TestFile{.headerSize = 12, .bitsPerPixel = 16}.Build(),
         "core header"},
        {"top-down RLE", Poke(rle, kHeight, -2), "top-down"},
        {"masks cut off", Truncated(masked32, 60), "truncated colour masks"},
        {"scattered mask", masked32, "0x80808080 is not one run"},
        {"delta past the top", Rle8({0, 2, 1, 3, 0, 1}), "outside the image"},
        {"run past the last row", Rle8({0, 0, 0, 0, 1, 0}), "past the last row"},
        {"line end past the last row", Rle8({0, 0, 0, 0, 0, 0}), "past the last row"},
        {"no end-of-bitmap code", Rle8({4, 0, 0, 0, 2, 0}), "ends before"},
        {"absolute run cut off", Rle8({0, 4, 0, 0}), "absolute run cut off"},
        {"delta cut off", Rle8({0, 2, 1}), "delta code cut off"},
    };
    for (const auto& c : cases) {
        const auto result = Decode(c.file);
        EXPECT_FALSE(result.image) << c.what;
        EXPECT_NE(result.error.find(c.error), std::string::npos) << c.what << ": " << result.error;
    }
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
