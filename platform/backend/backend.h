// The display backend: the only code that knows how pixels reach a screen
// and where input comes from. user32, gdi32, ddraw and winmm call it; it
// never calls back into them while holding a lock of its own.
#pragma once

#include <chrono>
#include <string>

#include "platform/windef.h"

namespace brannock::platform {

// One joystick as the host reports it, already scaled to joyGetPos's ranges
// (axes 0..65535, centre 32767; one bit per button).
struct JoystickReading {
    UINT x = 32767;
    UINT y = 32767;
    UINT z = 32767;
    UINT buttons = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;

    // "headless" or "sdl2".
    virtual const char* Name() const = 0;

    // Top-level window life, called by user32 on the window's own thread.
    // WindowChanged covers title, position, size, style, menu and visibility;
    // the backend reads the current values through user32.
    virtual void WindowCreated(HWND window) = 0;
    virtual void WindowDestroyed(HWND window) = 0;
    virtual void WindowChanged(HWND window) = 0;

    // Pixels. Called from any thread (the game thread presents); must never
    // wait for the window thread, which may itself wait for the game thread.
    // `screenRect` is in screen coordinates of the current display mode.
    virtual void ScreenUpdated(const RECT& screenRect) = 0;
    // Something was drawn into the whole-window overlay of `window`.
    virtual void OverlayUpdated(HWND window) = 0;
    // The display mode changed: full screen entered (exclusive owner
    // `window`) or left (`window` null).
    virtual void DisplayModeChanged(HWND window) = 0;

    // Frame boundaries, for backends that script, record or digest a run:
    // the display presented a frame (a Flip, or a Blt or BltFast of a
    // surface onto the primary surface), or the program's pacing call
    // started waiting for its next frame at `framesPerSecond`. Called on the
    // thread that draws, with no lock held; may block (a scripted frame's
    // input is handled first) and may unwind a thread being stopped.
    virtual void FramePresented() = 0;
    virtual void FramePaced(int framesPerSecond) = 0;

    // Moves host events into the platform's message queues. Called from the
    // message calls (GetMessageA, PeekMessageA, ...) of threads that own
    // windows, and from blocking calls (waits, sends) while they wait; a
    // backend that must pump on one thread ignores other callers.
    virtual void PumpEvents() = 0;

    // An idle message call waits for host events through these, so that it
    // sleeps until the host has input instead of polling it. A backend
    // without host events to wait for keeps the defaults, and the caller
    // waits on its own queue.
    //
    // Whether WaitForHost may be called on the calling thread (the one that
    // pumps the host, when nothing is pumping). Called holding the user32
    // lock: takes no lock.
    virtual bool CanWaitForHost() { return false; }
    // Returns once the host has an event for the next pump, WakeHost was
    // called (since the last pump), or `timeout` passed. Holds no lock.
    virtual void WaitForHost(std::chrono::milliseconds) {}
    // Ends a WaitForHost in progress, or makes the next one return at once.
    // Any thread, possibly holding the user32 lock: takes no lock of the
    // platform's.
    virtual void WakeHost() {}

    // A modal message box, from any thread; returns the button id (IDOK,
    // ...), or 0 when it could not be shown. Text and caption arrive as
    // UTF-8, converted from the caller's code page 932.
    virtual int ShowMessageBox(HWND owner, const std::string& textUtf8,
                               const std::string& captionUtf8, UINT type) = 0;

    // Reads joystick `id` (0..3); false when there is none.
    virtual bool ReadJoystick(UINT id, JoystickReading& reading) = 0;
};

// The backend of this process, chosen on first use: BRANNOCK_BACKEND
// ("headless" or "sdl2") forces one; otherwise sdl2 when it was built and a
// display opens, headless otherwise.
Backend& CurrentBackend();

}  // namespace brannock::platform
