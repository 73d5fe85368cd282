// Opening, pointing into and choosing from the lists of a menu bar item.
#include "platform/backend/sdl2/menu_cascade.h"

namespace brannock::platform::sdl2 {
namespace {

// A menu may hold itself as a pop-up; the cascade stops growing here.
constexpr std::size_t kMaxLists = 8;

}  // namespace

void MenuCascade::Open(HMENU popup, int left, int top) {
    lists_.clear();
    DropDown list;
    if (list.Open(popup, left, top)) lists_.push_back(std::move(list));
}

int MenuCascade::ListAt(int x, int y) const {
    for (std::size_t level = lists_.size(); level-- > 0;)
        if (lists_[level].Contains(x, y)) return static_cast<int>(level);
    return -1;
}

bool MenuCascade::OpenFrom(std::size_t level, int row) {
    const DropDown& parent = lists_[level];
    HMENU popup = row >= 0 ? parent.PopupOf(row) : nullptr;
    // Already open: the next list is this row's.
    if (popup && lists_.size() > level + 1 && parent.Hovered() == row) return false;
    const bool changed = lists_.size() > level + 1;
    lists_.resize(level + 1);
    if (!popup || lists_.size() >= kMaxLists) return changed;
    // Beside the parent, its first row level with the row that opened it.
    DropDown list;
    if (!list.Open(popup, parent.Left() + parent.Width(), parent.RowTop(row) - 1)) return changed;
    lists_.push_back(std::move(list));
    return true;
}

bool MenuCascade::Point(int x, int y) {
    const int level = ListAt(x, y);
    if (level < 0) {
        // Off the lists: the last one's highlight goes, the lists stay.
        return IsOpen() && lists_.back().Hover(-1);
    }
    const auto at = static_cast<std::size_t>(level);
    const int row = lists_[at].RowAt(x, y);
    // A row of an earlier list keeps the list it opened until another row
    // of that list is pointed at.
    if (row < 0 && at + 1 < lists_.size()) return false;
    bool changed = OpenFrom(at, row);  // may move the lists
    changed |= lists_[at].Hover(row);
    return changed;
}

MenuCascade::Press MenuCascade::PressAt(int x, int y, UINT_PTR& command) {
    const int level = ListAt(x, y);
    if (level < 0) return Press::kOutside;
    const auto at = static_cast<std::size_t>(level);
    const int row = lists_[at].RowAt(x, y);
    if (row >= 0 && !lists_[at].PopupOf(row)) {
        command = lists_[at].CommandOf(row);
        return Press::kCommand;
    }
    if (row >= 0) {
        OpenFrom(at, row);
        lists_[at].Hover(row);
    }
    return Press::kInside;
}

}  // namespace brannock::platform::sdl2
