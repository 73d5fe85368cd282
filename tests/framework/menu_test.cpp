// Menus of the main window: building them from tables and attaching them.
#include <gtest/gtest.h>

#include <string>

#include "framework/menu.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"
#include "tests/support/windows.h"

namespace {

using brannock::test::FramedSize;
using brannock::test::SizeOf;

// The texts of a menu's items, each followed by '|'.
std::string Texts(HMENU menu) {
    std::string texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        texts = texts + text + "|";
    }
    return texts;
}

const MenuItem kFileItems[] = {
    {"Open", 101, nullptr, 0, MF_STRING},
    {"", 0, nullptr, 0, MF_SEPARATOR},
    {"About", 0, nullptr, 0, MF_STRING},
    {"Exit", 102, nullptr, 0, MF_STRING | MF_GRAYED},
};
const MenuItem kBar[] = {
    {"File", 1, kFileItems, 4, MF_STRING},  // a popup, whatever its id and flags
    {"Pause", 2, nullptr, 0, MF_STRING},
    {"Empty", 3, kFileItems, 0, MF_STRING},  // no records: a command
};

TEST(Menu, BuildMenuKeepsTableOrderAndMakesSubTablesPopups) {
    CSystem system;
    EXPECT_EQ(system.BuildMenu(kBar, 0, 0), nullptr);
    EXPECT_EQ(system.BuildMenu(nullptr, 2, 0), nullptr);
    HMENU bar = system.BuildMenu(kBar, 3, 0);
    EXPECT_EQ(Texts(bar), "File|Pause|Empty|");
    EXPECT_EQ(GetSubMenu(bar, 2), nullptr);
    EXPECT_EQ(GetMenuItemID(bar, 2), 3u);

    // Items with the id 0 do not pull later ones in front of them.
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(Texts(file), "Open||About|Exit|");
    EXPECT_EQ(GetMenuItemID(file, 3), 102u);
    EXPECT_NE(GetMenuState(file, 3, MF_BYPOSITION) & MF_GRAYED, 0u);

    MenuItem loop = {"Loop", 7, nullptr, 1, MF_STRING};  // refers to itself
    loop.sub = &loop;
    EXPECT_NE(system.BuildMenu(&loop, 1, 1), nullptr);
}

TEST(Menu, AttachingRefitsTheWindowAndDestroysTheMenuReplaced) {
    CSystem system;
    EXPECT_EQ(system.SetMenuHandle(nullptr), 0);  // no window: attaches nothing
    HWND window = brannock::test::OpenMainWindow();
    system.SetClientSize(400, 300);
    HMENU first = system.BuildMenu(kBar, 2, 0);
    EXPECT_NE(system.SetMenuHandle(first), 0);
    EXPECT_EQ(GetMenu(window), first);
    EXPECT_EQ(SizeOf(window), FramedSize(400, 300, true));

    system.SetMenuHandle(first);  // the attached menu again stays alive
    EXPECT_TRUE(IsMenu(first));
    HMENU second = system.BuildMenu(kFileItems, 4, 0);
    system.SetMenuHandle(second);
    EXPECT_FALSE(IsMenu(first));
    system.SetMenuHandle(nullptr);
    EXPECT_FALSE(IsMenu(second));
    EXPECT_EQ(SizeOf(window), FramedSize(400, 300, false));

    system.SetMenuHandle(system.BuildMenu(kBar, 2, 0));
    system.SetMenuByName("NO_SUCH_MENU");  // the program has no menu resources
    EXPECT_EQ(system.menu, nullptr);
    EXPECT_EQ(GetMenu(window), nullptr);
}

}  // namespace
