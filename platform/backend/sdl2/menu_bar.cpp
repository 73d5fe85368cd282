#include "platform/backend/sdl2/menu_bar.h"

#include <string_view>

#include "platform/backend/sdl2/menu_text.h"
#include "platform/gdi32/font.h"
#include "platform/user32/user32.h"

namespace brannock::platform::sdl2 {
namespace {

constexpr int kItemPadding = 6;
constexpr std::uint32_t kEdgeColour = 0xC8C8C8;

// The item's text in `buffer`, which a menu text longer than it is cut to.
std::string_view ItemText(HMENU menu, int position, char (&buffer)[128]) {
    const int length =
        GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof buffer, MF_BYPOSITION);
    return {buffer, static_cast<std::size_t>(length > 0 ? length : 0)};
}

}  // namespace

bool LayOutMenuBar(HWND window, MenuBarLayout& layout) {
    layout.count = 0;
    HMENU menu = GetMenu(window);
    if (!menu) return false;
    const int count = GetMenuItemCount(menu);
    int x = 0;
    for (int i = 0; i < count && layout.count < kMaxMenuBarItems; ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state == static_cast<UINT>(-1) || (state & MF_SEPARATOR)) continue;
        char buffer[128];
        MenuBarItem& item = layout.items[layout.count++];
        item.position = i;
        item.left = x;
        item.right = x + 2 * kItemPadding + MenuTextWidth(ItemText(menu, i, buffer));
        item.popup = (state & MF_POPUP) ? GetSubMenu(menu, i) : nullptr;
        item.id = item.popup ? 0 : GetMenuItemID(menu, i);
        item.enabled = (state & (MF_GRAYED | MF_DISABLED)) == 0;
        x = item.right;
    }
    return true;
}

int MenuBarItemAt(const MenuBarLayout& layout, int x) {
    for (int i = 0; i < layout.count; ++i)
        if (x >= layout.items[i].left && x < layout.items[i].right) return i;
    return -1;
}

void PaintMenuBar(HWND window, const display::PixelView& bar, int openItem) {
    const PixelRows rows{reinterpret_cast<std::uint32_t*>(bar.bits), bar.width, bar.height,
                         static_cast<int>(bar.pitch / 4)};
    if (bar.height <= 0) return;
    FillPixels(rows, 0, bar.height - 1, bar.width, bar.height, kEdgeColour);
    MenuBarLayout layout;
    HMENU menu = GetMenu(window);
    if (!LayOutMenuBar(window, layout)) return;
    const int textTop = (bar.height - gdi::kCellHeight) / 2;
    for (int i = 0; i < layout.count; ++i) {
        const MenuBarItem& item = layout.items[i];
        std::uint32_t colour = item.enabled ? kMenuTextColour : kMenuGrayedColour;
        if (i == openItem) {
            FillPixels(rows, item.left, 0, item.right, bar.height - 1, kMenuHighlightColour);
            colour = kMenuHighlightTextColour;
        }
        char buffer[128];
        DrawMenuText(rows, item.left + kItemPadding, textTop, ItemText(menu, item.position, buffer),
                     colour);
    }
}

}  // namespace brannock::platform::sdl2
