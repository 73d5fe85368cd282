// Menus of the main window: building them from tables and attaching them.
#include <gtest/gtest.h>

#include <string>

#include "framework/menu.h"
#include "tests/framework/window_test_support.h"

#ifndef _WIN32
#include "platform/testing/user_input.h"
#endif

namespace {

using window_test::DesktopRect;
using window_test::OuterSize;
using window_test::WindowRect;

class MenuTest : public window_test::MainWindowFixture {};

std::string ItemText(HMENU menu, int position) {
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

const MenuItem kFileItems[] = {
    {"Open", 101, nullptr, 0, MF_STRING},
    {"", 0, nullptr, 0, MF_SEPARATOR},
    {"About", 0, nullptr, 0, MF_STRING},
    {"Exit", 102, nullptr, 0, MF_STRING | MF_GRAYED},
};
const MenuItem kBar[] = {
    {"File", 1, kFileItems, 4, MF_STRING},
    {"Pause", 2, nullptr, 0, MF_STRING},
    {"Empty", 3, kFileItems, 0, MF_STRING},  // no records: a command item
};

TEST_F(MenuTest, BuildMenuKeepsTableOrderAndMakesSubTablesPopups) {
    HMENU bar = system.BuildMenu(kBar, 3, 0);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(ItemText(bar, 0), "File");
    EXPECT_EQ(ItemText(bar, 1), "Pause");
    EXPECT_EQ(ItemText(bar, 2), "Empty");
    EXPECT_EQ(GetMenuItemID(bar, 1), 2u);
    EXPECT_EQ(GetMenuItemID(bar, 2), 3u);
    EXPECT_EQ(GetSubMenu(bar, 1), nullptr);

    HMENU file = GetSubMenu(bar, 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1));  // a popup has no command id
    // Items with the id 0 must not pull later ones in front of them.
    ASSERT_EQ(GetMenuItemCount(file), 4);
    EXPECT_EQ(ItemText(file, 0), "Open");
    EXPECT_EQ(ItemText(file, 2), "About");
    EXPECT_EQ(ItemText(file, 3), "Exit");
    EXPECT_EQ(GetMenuItemID(file, 3), 102u);
    EXPECT_NE(GetMenuState(file, 3, MF_BYPOSITION) & MF_GRAYED, 0u);
    DestroyMenu(bar);
}

TEST_F(MenuTest, BuildMenuOfNoRecordsIsNull) {
    EXPECT_EQ(system.BuildMenu(kBar, 0, 0), nullptr);
    EXPECT_EQ(system.BuildMenu(kBar, -3, 1), nullptr);
    EXPECT_EQ(system.BuildMenu(nullptr, 2, 0), nullptr);
}

TEST_F(MenuTest, SelfReferringTableEndsAtADepthLimit) {
    MenuItem loop[1] = {{"Loop", 7, nullptr, 1, MF_STRING}};
    loop[0].sub = loop;
    HMENU menu = system.BuildMenu(loop, 1, 1);
    ASSERT_NE(menu, nullptr);
    DestroyMenu(menu);
}

TEST_F(MenuTest, AttachedMenuRefitsTheWindowAndItsReplacementDestroysIt) {
    HWND window = OpenMainWindow();
    system.SetClientSize(400, 300);
    HMENU first = system.BuildMenu(kBar, 2, 0);
    EXPECT_NE(system.SetMenuHandle(first), 0);
    EXPECT_EQ(GetMenu(window), first);
    EXPECT_EQ(system.menu, first);
    RECT rect = WindowRect(window);
    EXPECT_EQ(rect.bottom - rect.top, OuterSize(400, 300, true).cy);
    EXPECT_EQ(rect.top, (DesktopRect().bottom - 300) / 2 - 16);

    // Attaching the attached menu again keeps it alive.
    system.SetMenuHandle(first);
    EXPECT_TRUE(IsMenu(first));
    EXPECT_EQ(GetMenu(window), first);

    HMENU second = system.BuildMenu(kFileItems, 4, 0);
    system.SetMenuHandle(second);
    EXPECT_FALSE(IsMenu(first));
    EXPECT_EQ(GetMenu(window), second);

    system.SetMenuHandle(nullptr);
    EXPECT_FALSE(IsMenu(second));
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(system.menu, nullptr);
    rect = WindowRect(window);
    EXPECT_EQ(rect.bottom - rect.top, OuterSize(400, 300, false).cy);
}

TEST_F(MenuTest, UnknownMenuResourceLeavesTheWindowWithoutMenu) {
    HWND window = OpenMainWindow();
    system.SetMenuHandle(system.BuildMenu(kBar, 2, 0));
    system.SetMenuByName("NO_SUCH_MENU");
    EXPECT_EQ(system.menu, nullptr);
    EXPECT_EQ(GetMenu(window), nullptr);
}

TEST_F(MenuTest, MenuWithoutWindowAttachesNothing) {
    HMENU menu = system.BuildMenu(kBar, 2, 0);
    EXPECT_EQ(system.SetMenuHandle(menu), 0);
    EXPECT_EQ(system.menu, menu);
    EXPECT_EQ(g_windowWidth, 640);
    DestroyMenu(menu);
}

#ifndef _WIN32
class CommandRecorder : public CSystem {
  public:
    void OnCommand(int notifyCode, int id, HWND) override {
        lastNotify = notifyCode;
        lastId = id;
    }
    int lastNotify = -1;
    int lastId = -1;
};

TEST(MenuCommand, ChosenItemReachesOnCommand) {
    CommandRecorder system;
    system.SetThreaded(0);
    RegisterMainClass(nullptr);
    ASSERT_EQ(CreateMainWindow(nullptr, SW_SHOW), 1);
    system.SetMenuHandle(system.BuildMenu(kBar, 3, 0));

    brannock::testing::ChooseMenuItem(g_hWnd, 102);
    window_test::Pump(system);
    EXPECT_EQ(system.lastId, 102);
    EXPECT_EQ(system.lastNotify, 0);
}
#endif

}  // namespace
