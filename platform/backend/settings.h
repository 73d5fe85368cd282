// The environment knobs of the platform layer, all read here and nowhere
// else:
//   BRANNOCK_BACKEND=headless|sdl2      force a backend (default: sdl2 when
//                                       built and a display opens)
//   BRANNOCK_DESKTOP=WxH                size of the virtual desktop
//                                       (default 1920x1080)
//   BRANNOCK_DEBUG_OUTPUT=stderr|<path> where OutputDebugStringA text goes
//                                       (default: discarded)
//   BRANNOCK_HEADLESS_CLOSE_MS=<ms>     headless: click the close control of
//                                       the first top-level window that long
//                                       after it was created
//   BRANNOCK_HEADLESS_SCREENSHOT=<path> headless: save the screen there as a
//                                       BMP file when the program ends
//   BRANNOCK_MESSAGE_BOXES=stderr       sdl2: print message boxes on stderr
//                                       and answer them at once (unattended
//                                       runs) instead of showing them
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brannock::platform {

struct Settings {
    std::string backend;  // "" (choose), "headless" or "sdl2"
    int desktopWidth = 1920;
    int desktopHeight = 1080;
    std::string debugOutput;         // "", "stderr" or a file path
    int headlessCloseMs = -1;        // -1: never
    std::string headlessScreenshot;  // "": none
    bool messageBoxesToStderr = false;
    // One line per value that could not be used (its default applies).
    std::vector<std::string> problems;
};

// Environment lookup: the value of a variable, or null when it is unset.
using EnvironmentLookup = std::function<const char*(const char* name)>;

Settings ReadSettings(const EnvironmentLookup& lookup);

// The settings of this process, read from its environment on first use;
// problems are reported on stderr once.
const Settings& ProcessSettings();

}  // namespace brannock::platform
