// An Xvfb server of the test's own, on a free display number, with a small
// window manager (evilwm, for full screen and focus as on a desktop), and
// what a test does on it: find a window and read its title (xdotool), press keys
// and click (xdotool), take a screenshot (ImageMagick import) and ask a
// window to close as a window manager's close button does.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

namespace brannock::e2e {

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down rows

    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    // Pixels of the rectangle [left, right) x [top, bottom) that are `rgb`.
    int Count(int left, int top, int right, int bottom, std::uint32_t rgb) const;
};

class XvfbDisplay {
  public:
    // Starts Xvfb with one screen of the given size and the window manager,
    // which draws with the X core font `windowManagerFont` ("fixed" comes
    // with xfonts-base). Running() is false when either is missing or does
    // not start; Failure() then says why.
    XvfbDisplay(int width = 1024, int height = 768, const std::string& windowManagerFont = "fixed");
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;
    ~XvfbDisplay();

    static bool Installed();
    static bool WindowManagerInstalled();
    bool Running() const { return !name_.empty(); }
    // Why the display did not start, with the failing program's last line
    // on stderr; empty while it runs.
    const std::string& Failure() const { return failure_; }
    // ":N", for DISPLAY.
    const std::string& Name() const { return name_; }

    // The first visible window whose title matches the regular expression,
    // waiting for it up to the deadline; "" when none appeared.
    std::string FindWindow(const std::string& titlePattern, std::chrono::seconds timeout) const;
    std::string WindowTitle(const std::string& window) const;
    // Gives the window the keyboard focus and runs xdotool keyboard commands
    // ("key a", "keydown alt key x keyup alt").
    bool Type(const std::string& window, const std::string& commands) const;
    // Left click at a point of the window.
    bool Click(const std::string& window, int x, int y) const;
    // Moves the pointer to a point of the window.
    bool MoveTo(const std::string& window, int x, int y) const;
    // A screenshot of the window ("root": the whole screen), also kept as a
    // PNG file at `savePath` for people to look at.
    Screenshot Capture(const std::string& window, const std::string& savePath) const;
    // Sends WM_DELETE_WINDOW, as a window manager's close button does.
    bool RequestClose(const std::string& window) const;

  private:
    // Runs a shell command with DISPLAY set; its stdout, or "" on failure.
    std::string Run(const std::string& command, bool* ok = nullptr) const;

    bool StartWindowManager(const std::string& font);

    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    std::string name_;
    std::string failure_;
    // The stderr of the server and of the window manager, kept for Failure().
    std::FILE* serverErrors_ = nullptr;
    std::FILE* windowManagerErrors_ = nullptr;
};

}  // namespace brannock::e2e
