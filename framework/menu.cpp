// Menus of the main window: attaching one by resource name or handle, and
// building one from a table.
#include "framework/menu.h"

#include "framework/globals.h"
#include "framework/system.h"

namespace {

// Sub-tables nested deeper than this are left out: a table that refers to
// itself would otherwise recurse without end.
constexpr int kMaxMenuDepth = 16;

HMENU BuildLevel(const MenuItem* table, int count, bool popup, int depth) {
    if (table == nullptr || count <= 0) return nullptr;
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    if (menu == nullptr) return nullptr;
    for (int i = 0; i < count; ++i) {
        const MenuItem& item = table[i];
        // Nested levels are plain menus, as a popup item expects.
        HMENU sub =
            depth < kMaxMenuDepth ? BuildLevel(item.sub, item.subCount, false, depth + 1) : nullptr;
        // Appended, so the items keep the table's order even when a
        // separator or command has the id 0.
        if (sub != nullptr)
            AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item.text);
        else
            AppendMenuA(menu, item.flags, item.id, item.text);
    }
    return menu;
}

// Attaches `newMenu` (null: none) to the main window and refits it to the
// remembered client size. The menu it replaces is destroyed.
BOOL AttachMenu(CSystem& system, HMENU newMenu) {
    HWND window = g_hWnd;
    HMENU attached = GetMenu(window);
    if (attached != nullptr && attached != newMenu) DestroyMenu(attached);
    if (newMenu == nullptr && system.menu != nullptr && system.menu != attached)
        DestroyMenu(system.menu);
    system.menu = newMenu;
    SetMenu(window, newMenu);
    return system.SetClientSize(-1, -1);
}

}  // namespace

BOOL CSystem::SetMenuByName(LPCSTR name) {
    return AttachMenu(*this, name != nullptr ? LoadMenuA(g_hInstance, name) : nullptr);
}

BOOL CSystem::SetMenuHandle(HMENU handle) {
    return AttachMenu(*this, handle);
}

HMENU CSystem::BuildMenu(const MenuItem* table, int count, int popup) {
    return BuildLevel(table, count, popup != 0, 0);
}
