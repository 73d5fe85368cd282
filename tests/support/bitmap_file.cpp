#include "tests/support/bitmap_file.h"

#include <cstdio>
#include <vector>

namespace brannock::test {

bool WriteBitmapFile(const std::string& path, int width, int height,
                     const std::function<COLORREF(int x, int y)>& pixel) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + static_cast<std::size_t>(stride) * height);
    const auto put = [&](std::size_t at, DWORD value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + i] = (value >> (8 * i)) & 0xFF;
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<DWORD>(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<DWORD>(width), 4);
    put(22, static_cast<DWORD>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, y);
            put(54 + static_cast<std::size_t>(height - 1 - y) * stride + 3 * x,
                GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16, 3);
        }
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace brannock::test
