// Menus: insertion positions as Windows reads them, pop-ups, destruction.
// (Menu bars on windows: user32_geometry_test.cpp.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32.h"

namespace {

std::vector<std::string> Texts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64];
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        texts.emplace_back(text);
    }
    return texts;
}

using Texts_ = std::vector<std::string>;

TEST(User32Menus, PositionWithoutByPositionNamesACommandId) {
    HMENU menu = CreateMenu();
    // No item has id 0: position 0 appends, so items stay in call order.
    ASSERT_TRUE(InsertMenuA(menu, 0, MF_STRING, 10, "File"));
    ASSERT_TRUE(InsertMenuA(menu, 0, MF_STRING, 11, "Edit"));
    InsertMenuA(menu, 0, MF_STRING, 12, "Help");
    EXPECT_EQ(Texts(menu), (Texts_{"File", "Edit", "Help"}));
    // Once an item has id 0 (a separator has), position 0 inserts before it.
    InsertMenuA(menu, 0, MF_SEPARATOR, 0, nullptr);
    InsertMenuA(menu, 0, MF_STRING, 13, "Before");
    InsertMenuA(menu, 11, MF_STRING, 14, "BeforeEdit");
    EXPECT_EQ(Texts(menu), (Texts_{"File", "BeforeEdit", "Edit", "Help", "Before", ""}));
    // A separator can never be chosen: it reports itself grayed and disabled.
    EXPECT_EQ(GetMenuState(menu, 5, MF_BYPOSITION),
              static_cast<UINT>(MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
    EXPECT_EQ(GetMenuState(menu, 10, MF_BYCOMMAND), static_cast<UINT>(MF_STRING));
    EXPECT_EQ(GetMenuItemID(menu, 0), 10u);
    EXPECT_EQ(GetMenuItemID(menu, 99), static_cast<UINT>(-1));
}

TEST(User32Menus, ByPositionInsertsAtTheIndexOrAppends) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "a");
    AppendMenuA(menu, MF_STRING, 2, "c");
    InsertMenuA(menu, 1, MF_BYPOSITION | MF_STRING, 3, "b");
    InsertMenuA(menu, 50, MF_BYPOSITION | MF_STRING, 4, "d");
    EXPECT_EQ(Texts(menu), (Texts_{"a", "b", "c", "d"}));
    char text[2];
    EXPECT_EQ(GetMenuStringA(menu, 3, text, sizeof text, MF_BYCOMMAND), 1);
    EXPECT_EQ(GetMenuStringA(menu, 3, nullptr, 0, MF_BYCOMMAND), 1);
    EXPECT_EQ(GetMenuStringA(menu, 77, text, sizeof text, MF_BYCOMMAND), 0);
}

TEST(User32Menus, PopupsNestAndCommandsAreFoundInside) {
    HMENU bar = CreateMenu();
    HMENU file = CreateMenu();
    AppendMenuA(file, MF_STRING, 100, "Open");
    ASSERT_TRUE(InsertMenuA(bar, 0, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "File"));
    EXPECT_EQ(GetSubMenu(bar, 0), file);
    EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), (1u << 8) | MF_POPUP);
    // By command, the search goes into the pop-up and inserts there.
    InsertMenuA(bar, 100, MF_STRING, 101, "New");
    EXPECT_EQ(Texts(file), (Texts_{"New", "Open"}));
    // A menu cannot contain itself.
    EXPECT_FALSE(InsertMenuA(file, 0, MF_POPUP, reinterpret_cast<UINT_PTR>(bar), "loop"));
    EXPECT_FALSE(InsertMenuA(file, 0, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "self"));
}

TEST(User32Menus, DestroyingReachesPopupsAndStaleHandlesFail) {
    HMENU bar = CreateMenu();
    HMENU sub = CreateMenu();
    HMENU subsub = CreatePopupMenu();
    AppendMenuA(sub, MF_POPUP, reinterpret_cast<UINT_PTR>(subsub), "deeper");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "sub");
    ASSERT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_FALSE(IsMenu(subsub));
    EXPECT_FALSE(DestroyMenu(bar));
    EXPECT_FALSE(InsertMenuA(bar, 0, MF_STRING, 1, "x"));
    EXPECT_EQ(GetMenuItemCount(bar), -1);
    EXPECT_EQ(LoadMenuA(nullptr, "MENU"), nullptr);
}

}  // namespace
