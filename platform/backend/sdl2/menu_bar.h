// The menu bar of a window as the host window shows it: its items laid out
// left to right in the top rows, read from user32's menu at each use, so it
// always shows the menu as it is now. Safe on any thread; nothing is
// allocated.
#pragma once

#include "platform/display/pixel_buffer.h"
#include "platform/windef.h"

namespace brannock::platform::sdl2 {

inline constexpr int kMaxMenuBarItems = 32;

struct MenuBarItem {
    int position = 0;  // in the menu, which also counts separators
    int left = 0;
    int right = 0;
    UINT_PTR id = 0;        // the command of a plain item
    HMENU popup = nullptr;  // the drop-down of a pop-up item
    bool enabled = true;
};

struct MenuBarLayout {
    MenuBarItem items[kMaxMenuBarItems];
    int count = 0;
};

// False when the window has no menu bar.
bool LayOutMenuBar(HWND window, MenuBarLayout& layout);

// The item under x, or -1.
int MenuBarItemAt(const MenuBarLayout& layout, int x);

// Paints the menu bar into `bar` (kXrgb8888 rows, the bar's height), showing
// item `openItem` (or none, -1) as open.
void PaintMenuBar(HWND window, const display::PixelView& bar, int openItem);

}  // namespace brannock::platform::sdl2
