#include "platform/display/screen.h"

#include <algorithm>

#include "platform/backend/backend.h"
#include "platform/backend/desktop.h"
#include "platform/user32/screen.h"

namespace brannock::platform::display {

namespace {

struct ScreenState {
    bool started = false;
    ScreenMode mode;
    std::shared_ptr<PixelBuffer> front;    // what the screen shows
    std::shared_ptr<PixelBuffer> desktop;  // set aside while in full screen
    HWND owner = nullptr;
    std::vector<DWORD> acceptedDepths{16, 24, 32};
};

// Never destroyed, as every table of the platform: the destructors of
// static objects (a game's display) use it after the process entry returned.
ScreenState& State() {
    static auto* state = new ScreenState;
    return *state;
}

// Creates the desktop on first use; the caller holds the display lock.
ScreenState& StartedState() {
    ScreenState& state = State();
    if (!state.started) {
        state.started = true;
        const DesktopSize size = VirtualDesktop();
        state.mode = {size.width, size.height, PixelFormat::kXrgb8888};
        state.front = PixelBuffer::Create(size.width, size.height, state.mode.format);
    }
    return state;
}

}  // namespace

std::mutex& DisplayMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}

ScreenMode CurrentMode() {
    std::lock_guard lock(DisplayMutex());
    return StartedState().mode;
}

HWND FullScreenOwner() {
    std::lock_guard lock(DisplayMutex());
    return FullScreenOwnerLocked();
}

HWND FullScreenOwnerLocked() {
    return StartedState().owner;
}

bool EnterMode(HWND owner, int width, int height, PixelFormat format) {
    auto buffer = PixelBuffer::Create(width, height, format);
    if (!buffer) return false;
    {
        std::lock_guard lock(DisplayMutex());
        ScreenState& state = StartedState();
        if (!state.desktop) state.desktop = std::move(state.front);
        state.front = std::move(buffer);
        state.mode = {width, height, format};
        state.owner = owner;
    }
    // user32's screen metrics follow the mode.
    SetScreenModeSize(width, height);
    return true;
}

bool LeaveMode() {
    {
        std::lock_guard lock(DisplayMutex());
        ScreenState& state = StartedState();
        if (!state.desktop) return false;
        state.front = std::move(state.desktop);
        state.mode = {state.front->Width(), state.front->Height(), state.front->Format()};
        state.owner = nullptr;
    }
    SetScreenModeSize(0, 0);
    return true;
}

bool DepthAccepted(DWORD bitsPerPixel) {
    std::lock_guard lock(DisplayMutex());
    const auto& depths = State().acceptedDepths;
    return std::find(depths.begin(), depths.end(), bitsPerPixel) != depths.end();
}

void SetAcceptedDepths(std::vector<DWORD> depths) {
    std::lock_guard lock(DisplayMutex());
    State().acceptedDepths = std::move(depths);
}

PixelView ScreenViewLocked() {
    ScreenState& state = StartedState();
    return state.front ? state.front->View() : PixelView{};
}

bool SwapScreenLocked(std::shared_ptr<PixelBuffer>& buffer) {
    ScreenState& state = StartedState();
    if (!buffer || buffer->Width() != state.mode.width || buffer->Height() != state.mode.height ||
        buffer->Format() != state.mode.format || buffer->BottomUp()) {
        return false;
    }
    state.front.swap(buffer);
    return true;
}

void NotifyScreenUpdated(const RECT& screenRect) {
    CurrentBackend().ScreenUpdated(screenRect);
}

void NotifyOverlayUpdated(HWND window) {
    CurrentBackend().OverlayUpdated(window);
}

void NotifyDisplayModeChanged(HWND owner) {
    CurrentBackend().DisplayModeChanged(owner);
}

}  // namespace brannock::platform::display
