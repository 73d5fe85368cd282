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
//   BRANNOCK_SCRIPT=<path>              play this input script (headless;
//                                       chooses headless unless forced)
//   BRANNOCK_RECORD=<path>              sdl2: record the input into this
//                                       file as a script
//   BRANNOCK_DIGESTS=stdout|stderr|<path>
//                                       write a digest line per frame there
//   BRANNOCK_DIGEST_FRAMES=all|saved    which frames get one (default all)
// Relative paths are taken from the folder the program started in.
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
    std::string script;   // "": none
    std::string record;   // "": none
    std::string digests;  // "", "stdout", "stderr" or a file path
    bool digestSavedFramesOnly = false;
    // The working folder at start, before the program may leave a build
    // folder; relative paths of the knobs and of scripts are taken from it.
    std::string startDirectory;
    // One line per value that could not be used (its default applies).
    std::vector<std::string> problems;
};

// Environment lookup: the value of a variable, or null when it is unset.
using EnvironmentLookup = std::function<const char*(const char* name)>;

Settings ReadSettings(const EnvironmentLookup& lookup);

// A path from a knob or a script as a host path (Windows-style separators
// accepted), relative ones taken from `startDirectory`.
std::string PathFromStart(const Settings& settings, const std::string& path);

// The settings of this process, read from its environment on first use;
// problems are reported on stderr once.
const Settings& ProcessSettings();

}  // namespace brannock::platform
