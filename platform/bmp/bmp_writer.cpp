#include "platform/bmp/bmp_writer.h"

#include <cstdio>
#include <memory>

namespace brannock::bmp {
namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

bool WriteFile(const std::string& path, int width, int height,
               const std::vector<std::uint32_t>& pixels) {
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return false;
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> file;
    file.reserve(54 + imageBytes);
    // BITMAPFILEHEADER
    PutLittleEndian(file, 0x4D42, 2);  // "BM"
    PutLittleEndian(file, 54 + imageBytes, 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, 54, 4);
    // BITMAPINFOHEADER: bottom-up rows, 24 bits, 96 dpi.
    PutLittleEndian(file, 40, 4);
    PutLittleEndian(file, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(file, static_cast<std::uint32_t>(height), 4);
    PutLittleEndian(file, 1, 2);
    PutLittleEndian(file, 24, 2);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, imageBytes, 4);
    PutLittleEndian(file, 3780, 4);
    PutLittleEndian(file, 3780, 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        const std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x)
            PutLittleEndian(file, row[x], 3);
        file.resize(file.size() + (rowBytes - static_cast<std::uint32_t>(width) * 3), 0);
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(path.c_str(), "wb"),
                                                        &std::fclose);
    if (!out) return false;
    if (std::fwrite(file.data(), 1, file.size(), out.get()) != file.size()) return false;
    return std::fclose(out.release()) == 0;
}

}  // namespace brannock::bmp
