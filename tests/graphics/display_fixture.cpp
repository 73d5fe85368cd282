#include "tests/graphics/display_fixture.h"

#include <filesystem>
#include <random>

namespace graphics_test {

namespace {

std::filesystem::path& TempFolder() {
    static std::filesystem::path folder;
    return folder;
}

}  // namespace

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

void DisplayTest::SetUp() {
    window = brannock::test::CreateTestWindow(WS_POPUP, 0, 0, 640, 480);
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
    EXPECT_TRUE(WriteBitmapFile(path, width, height, pixel)) << path;
    return display.LoadBitmapFile(path.c_str(), XSprite::kTransparent, nullptr);
}

}  // namespace graphics_test
