#include "tests/graphics/display_fixture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

namespace graphics_test {

namespace {

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

std::filesystem::path& TempFolder() {
    static std::filesystem::path folder;
    return folder;
}

}  // namespace

HWND CreateTestWindow(int x, int y, int width, int height) {
    static const ATOM registered = [] {
        WNDCLASSEXA wc;
        std::memset(&wc, 0, sizeof wc);
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TestWindowProc;
        wc.lpszClassName = "XSpriteTest";
        return RegisterClassExA(&wc);
    }();
    EXPECT_NE(registered, 0);
    return CreateWindowExA(0, "XSpriteTest", "XSprite test", WS_POPUP | WS_VISIBLE, x, y, width,
                           height, nullptr, nullptr, nullptr, nullptr);
}

std::string TempPath(const std::string& name) {
    std::filesystem::path& folder = TempFolder();
    if (folder.empty()) {
        std::random_device random;
        folder = std::filesystem::temp_directory_path() /
                 ("brannock_graphics_" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(folder);
    }
    return (folder / name).string();
}

void WriteBitmapFile(const std::string& path, int width, int height,
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
    put(22, static_cast<DWORD>(height), 4);  // bottom-up rows
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
    ASSERT_NE(out, nullptr) << path;
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
}

DWORD Pixel(IDirectDrawSurface7* surface, int x, int y) {
    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (!surface || surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
        ADD_FAILURE() << "cannot lock the surface";
        return 0xFFFFFFFF;
    }
    const DWORD bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
    DWORD raw = 0;
    std::memcpy(&raw,
                static_cast<const unsigned char*>(desc.lpSurface) + y * desc.lPitch + x * bytes,
                bytes);
    surface->Unlock(nullptr);
    return raw;
}

void DisplayTest::SetUp() {
    window = CreateTestWindow();
    ASSERT_NE(window, nullptr);
    display.AttachWindow(window);
}

void DisplayTest::TearDown() {
    if (IsWindow(window)) DestroyWindow(window);
    std::filesystem::path& folder = TempFolder();
    if (folder.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    folder.clear();
}

void DisplayTest::Open(int bits, int pages) {
    display.InitDisplay(640, 480, bits, pages);
    ASSERT_TRUE(display.IsDrawEnabled());
    ASSERT_NE(Back(), nullptr);
}

int DisplayTest::LoadImage(int width, int height,
                           const std::function<COLORREF(int x, int y)>& pixel) {
    const std::string path = TempPath("image" + std::to_string(display.GetImageCount()) + ".bmp");
    WriteBitmapFile(path, width, height, pixel);
    return display.LoadBitmapFile(path.c_str(), XSprite::kTransparent, nullptr);
}

}  // namespace graphics_test
