// The size of the screen as user32 reports it (SM_CXSCREEN, the desktop
// window): the virtual desktop, or the display mode while one is set for
// full screen. The display code reports mode changes here.
#pragma once

namespace brannock::platform {

// A full-screen display mode of width x height was set; (0, 0) returns to
// the desktop.
void SetScreenModeSize(int width, int height);

struct ScreenSize {
    int width;
    int height;
};
ScreenSize CurrentScreenSize();

}  // namespace brannock::platform
