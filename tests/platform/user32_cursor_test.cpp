// The cursor a program places: read back as placed, and kept on the screen.
#include <gtest/gtest.h>

#include "platform/win32.h"

namespace {

POINT Cursor() {
    POINT point{-1, -1};
    EXPECT_TRUE(GetCursorPos(&point));
    return point;
}

TEST(User32Cursor, SetCursorPosPlacesItOnTheScreenOnly) {
    const int right = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int bottom = GetSystemMetrics(SM_CYSCREEN) - 1;
    ASSERT_TRUE(SetCursorPos(12, 34));
    EXPECT_EQ(Cursor().x, 12);
    EXPECT_EQ(Cursor().y, 34);
    SetCursorPos(-5, bottom + 100);
    EXPECT_EQ(Cursor().x, 0);
    EXPECT_EQ(Cursor().y, bottom);
    SetCursorPos(right + 1, -1);
    EXPECT_EQ(Cursor().x, right);
    EXPECT_EQ(Cursor().y, 0);
}

}  // namespace
