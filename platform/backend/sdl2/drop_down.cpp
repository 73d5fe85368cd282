#include "platform/backend/sdl2/drop_down.h"

#include <algorithm>
#include <string_view>

#include "platform/backend/sdl2/menu_text.h"
#include "platform/gdi32/font.h"
#include "platform/user32/user32.h"

namespace brannock::platform::sdl2 {
namespace {

constexpr int kRowHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kTextLeft = 20;   // room for a check mark
constexpr int kTextRight = 16;  // room for a pop-up's arrow
constexpr int kMinWidth = 80;

constexpr std::uint32_t kBackColour = 0xF8F8F8;
constexpr std::uint32_t kBorderColour = 0x808080;

}  // namespace

bool DropDown::Open(HMENU popup, int left, int top) {
    Close();
    const int count = GetMenuItemCount(popup);
    int y = 1;
    int textWidth = 0;
    for (int i = 0; i < count; ++i) {
        const UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
        if (state == static_cast<UINT>(-1)) continue;
        Row row;
        row.separator = (state & MF_SEPARATOR) != 0;
        if (!row.separator) {
            char buffer[128];
            const int length =
                GetMenuStringA(popup, static_cast<UINT>(i), buffer, sizeof buffer, MF_BYPOSITION);
            // An accelerator after a tab is not shown.
            const std::string_view text(buffer, static_cast<std::size_t>(std::max(length, 0)));
            row.text = text.substr(0, text.find('\t'));
            row.checked = (state & MF_CHECKED) != 0;
            const bool enabled = !(state & (MF_GRAYED | MF_DISABLED));
            row.nested = (state & MF_POPUP) != 0;
            if (enabled && row.nested) row.popup = GetSubMenu(popup, i);
            row.command = enabled && !(state & MF_POPUP);
            row.id = row.command ? GetMenuItemID(popup, i) : 0;
            textWidth = std::max(textWidth, MenuTextWidth(row.text));
        }
        row.top = y;
        y += row.separator ? kSeparatorHeight : kRowHeight;
        row.bottom = y;
        rows_.push_back(std::move(row));
    }
    if (rows_.empty()) return false;
    left_ = left;
    top_ = top;
    width_ = std::max(kMinWidth, kTextLeft + textWidth + kTextRight);
    height_ = y + 1;
    hover_ = -1;
    pixels_.assign(static_cast<std::size_t>(width_) * height_, kBackColour);
    Paint();
    return true;
}

bool DropDown::Contains(int x, int y) const {
    return IsOpen() && x >= left_ && x < left_ + width_ && y >= top_ && y < top_ + height_;
}

int DropDown::RowAt(int x, int y) const {
    if (!Contains(x, y)) return -1;
    y -= top_;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (y >= rows_[i].top && y < rows_[i].bottom)
            return rows_[i].command || rows_[i].popup ? static_cast<int>(i) : -1;
    return -1;
}

bool DropDown::Hover(int row) {
    if (row == hover_ || !IsOpen()) return false;
    hover_ = row;
    Paint();
    return true;
}

void DropDown::Paint() {
    const PixelRows pixels{pixels_.data(), width_, height_, width_};
    FillPixels(pixels, 0, 0, width_, height_, kBorderColour);
    FillPixels(pixels, 1, 1, width_ - 1, height_ - 1, kBackColour);
    const int textOffset = (kRowHeight - gdi::kCellHeight) / 2;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        if (row.separator) {
            const int middle = (row.top + row.bottom) / 2;
            FillPixels(pixels, 4, middle, width_ - 4, middle + 1, kBorderColour);
            continue;
        }
        std::uint32_t colour = row.command || row.popup ? kMenuTextColour : kMenuGrayedColour;
        if (static_cast<int>(i) == hover_) {
            FillPixels(pixels, 1, row.top, width_ - 1, row.bottom, kMenuHighlightColour);
            colour = kMenuHighlightTextColour;
        }
        if (row.checked) DrawMenuText(pixels, 6, row.top + textOffset, "*", colour);
        DrawMenuText(pixels, kTextLeft, row.top + textOffset, row.text, colour);
        if (row.nested)
            DrawMenuText(pixels, width_ - kTextRight, row.top + textOffset, ">", colour);
    }
}

}  // namespace brannock::platform::sdl2
