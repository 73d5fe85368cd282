// The open lists of a menu bar item, as on Windows: the item's drop-down,
// and beside each list the list of the pop-up row opened in it, which the
// pointer opens by resting on that row or a press on it. Window thread only.
#pragma once

#include <vector>

#include "platform/backend/sdl2/drop_down.h"
#include "platform/windef.h"

namespace brannock::platform::sdl2 {

class MenuCascade {
  public:
    // Opens the drop-down of `popup` at (left, top) of the host image, with
    // nothing below it.
    void Open(HMENU popup, int left, int top);
    void Close() { lists_.clear(); }
    bool IsOpen() const { return !lists_.empty(); }

    // The open lists, the drop-down first.
    const std::vector<DropDown>& Lists() const { return lists_; }

    // The pointer is at (x, y): the row under it is highlighted, the list
    // of a pop-up row under it opens and lists beyond the one it is over
    // close. True when what is shown changed.
    bool Point(int x, int y);

    enum class Press {
        kOutside,  // off every list: the menu should close
        kInside,   // on a list, choosing nothing (a pop-up row opens its list)
        kCommand,  // a command was chosen: `command`
    };
    Press PressAt(int x, int y, UINT_PTR& command);

  private:
    // The deepest list the point lies on, or -1.
    int ListAt(int x, int y) const;
    // Makes the pop-up of `row` in list `level` the last list open. True
    // when that changed what is open.
    bool OpenFrom(std::size_t level, int row);

    std::vector<DropDown> lists_;
};

}  // namespace brannock::platform::sdl2
