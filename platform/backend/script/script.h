// Input scripts: the text format that scripted runs play and recordings
// write. One event a line, FRAME COMMAND [ARGUMENTS]:
//   12 press Right       a key goes down (by name or virtual-key code; a
//                        press of a key that is down repeats it)
//   20 release Right     it goes up
//   30 move 320 240      the mouse moves to a point of the client area
//   31 click 320 240     left button down and up there (or right, middle)
//   40 save shot.bmp     the screen of frame 40 is saved as a BMP file
//   90 close             the window's close control is clicked
// Frames are numbered from 0 in the order the program shows them; input
// for frame N takes effect before frame N is drawn, a save after it is
// shown. Frame numbers never go down. A '#' that begins a word starts a
// comment; blank lines are ignored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brannock::platform::script {

inline constexpr long long kMaxFrame = 1'000'000'000;

enum class EventKind { kPress, kRelease, kMove, kClick, kClose, kSave };

struct Event {
    long long frame = 0;
    int line = 0;  // in the script, from 1
    EventKind kind = EventKind::kClose;
    int key = 0;  // kPress, kRelease: a virtual-key code; kClick: the button's
    int x = 0;    // kMove, kClick: client coordinates
    int y = 0;
    std::string path;  // kSave, as written

    bool IsInput() const { return kind != EventKind::kSave; }
};

struct Problem {
    int line = 0;
    std::string message;
};

struct Script {
    std::vector<Event> events;      // in frame order
    std::vector<Problem> problems;  // one per line skipped
};

// Reads a script; lines that cannot be used are skipped with a problem.
Script Parse(std::string_view text);

// The line that says `event` (no line end), as a recording writes it.
std::string FormatEvent(const Event& event);

}  // namespace brannock::platform::script
