// The drop-down list of a pop-up menu: its items read once when it opens,
// painted into pixels of its own that the host window shows over the frame.
// Window thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windef.h"

namespace brannock::platform::sdl2 {

class DropDown {
  public:
    // Opens the list of `popup` with its top-left corner at (left, top) in
    // the host image's coordinates. False, leaving it closed, for a menu
    // without items.
    bool Open(HMENU popup, int left, int top);
    void Close() { rows_.clear(); }
    bool IsOpen() const { return !rows_.empty(); }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::uint32_t* Pixels() const { return pixels_.data(); }

    // Whether a point of the host image lies on the list.
    bool Contains(int x, int y) const;
    // The row under a point of the host image that can be chosen: an
    // enabled command or pop-up (-1: none).
    int RowAt(int x, int y) const;
    // Highlights `row` (-1: none); true when that changed the pixels.
    bool Hover(int row);
    int Hovered() const { return hover_; }
    // For a row RowAt returned: its command id (0 for a pop-up), the menu
    // of a pop-up row (null for a command), and its top in the host image.
    UINT_PTR CommandOf(int row) const { return rows_[static_cast<std::size_t>(row)].id; }
    HMENU PopupOf(int row) const { return rows_[static_cast<std::size_t>(row)].popup; }
    int RowTop(int row) const { return top_ + rows_[static_cast<std::size_t>(row)].top; }

  private:
    struct Row {
        std::string text;
        UINT_PTR id = 0;
        HMENU popup = nullptr;  // an enabled pop-up item's menu
        bool command = false;   // an enabled plain item
        bool nested = false;    // a pop-up item, shown with an arrow
        bool separator = false;
        bool checked = false;
        int top = 0;
        int bottom = 0;
    };

    void Paint();

    std::vector<Row> rows_;
    std::vector<std::uint32_t> pixels_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    int hover_ = -1;
};

}  // namespace brannock::platform::sdl2
