// A game's display is usually a static object (the game's application class
// derives from XSprite), destroyed after main returns: it must still release
// its surfaces, images and bitmaps then.
#include <gtest/gtest.h>

#include "graphics/xsprite.h"
#include "tests/support/test_window.h"

namespace graphics_test {
namespace {

// Made before the test uses anything of the platform, so destroyed after
// whatever the platform set up on first use.
XSprite staticDisplay;

// The check is the end of this test's process: a release through platform
// state that is already destroyed is a use after free (AddressSanitizer), a
// corrupted heap or a crash, and the process fails.
TEST(StaticDisplay, ReleasesItsObjectsAfterMainReturns) {
    HWND window = brannock::test::CreateTestWindow(WS_POPUP, 0, 0, 640, 480);
    ASSERT_NE(window, nullptr);
    staticDisplay.AttachWindow(window);
    staticDisplay.InitDisplay(640, 480, 16, 4);
    HBITMAP bitmap = staticDisplay.CreateBackingBitmap(8, 8, 24);
    EXPECT_EQ(staticDisplay.AddImage(bitmap, XSprite::kTransparent), 0);
    DeleteObject(bitmap);
}

}  // namespace
}  // namespace graphics_test
