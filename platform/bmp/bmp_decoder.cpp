// Decoding a whole bitmap file: headers first, then the pixel data, plain
// rows or run-length codes.
#include "platform/bmp/bmp_decoder.h"

#include <filesystem>
#include <fstream>

#include "platform/bmp/bmp_layout.h"

namespace brannock::bmp {
namespace {

// Largest file read: twice the biggest uncompressed image, room enough for
// any sensible encoding of kMaxPixels pixels.
constexpr std::uintmax_t kMaxFileBytes = 8 * static_cast<std::uintmax_t>(kMaxPixels);

DecodeResult Failure(std::string error) {
    return {std::nullopt, std::move(error)};
}

}  // namespace

DecodeResult Decode(std::span<const std::uint8_t> file) {
    detail::Layout layout;
    if (std::string error = detail::ReadLayout(file, layout); !error.empty()) {
        return Failure(std::move(error));
    }
    Image image;
    image.width = layout.width;
    image.height = layout.height;
    image.sourceBitsPerPixel = layout.bitsPerPixel;
    image.pixels.resize(static_cast<std::size_t>(layout.width) * layout.height);

    const auto data = file.subspan(layout.pixelOffset);
    if (layout.encoding == detail::Encoding::kRle8 || layout.encoding == detail::Encoding::kRle4) {
        if (std::string error = detail::DecodeRunLength(data, layout, image.pixels.data());
            !error.empty()) {
            return Failure(std::move(error));
        }
    } else {
        detail::DecodeRows(data, layout, image.pixels.data());
    }
    return {std::move(image), {}};
}

DecodeResult DecodeFile(const std::string& hostPath) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(hostPath, ec)) {
        const bool exists = std::filesystem::exists(hostPath, ec);
        return Failure("cannot open \"" + hostPath +
                       "\": " + (exists ? "not a regular file" : "no such file"));
    }
    const std::uintmax_t size = std::filesystem::file_size(hostPath, ec);
    if (ec) return Failure("cannot open \"" + hostPath + "\": " + ec.message());
    if (size > kMaxFileBytes) {
        return Failure("\"" + hostPath + "\" is too large for a bitmap (" + std::to_string(size) +
                       " bytes)");
    }
    std::ifstream in(hostPath, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in ||
        !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        return Failure("cannot read \"" + hostPath + "\"");
    }
    DecodeResult result = Decode(bytes);
    if (!result) result.error = "\"" + hostPath + "\": " + result.error;
    return result;
}

}  // namespace brannock::bmp
