#include "platform/backend/sdl2/recorded_input.h"

#include "platform/backend/sdl2/keyboard.h"
#include "platform/display/window_area.h"
#include "platform/user32/user32.h"

namespace brannock::platform::sdl2 {
namespace {

using script::Event;
using script::EventKind;

// The client point under a host position, unless it is the menu's: the
// menu bar, or anywhere while a drop-down is open.
bool ClientPoint(HostWindow* host, int x, int y, POINT& client) {
    display::WindowArea area;
    if (!host || host->OpenMenuItem() >= 0 || !display::LocateWindow(host->Handle(), area))
        return false;
    if (y >= 0 && y < area.menuHeight) return false;
    client = POINT{x, y - area.menuHeight};
    return true;
}

Event KeyEvent(bool down, int key) {
    Event event;
    event.kind = down ? EventKind::kPress : EventKind::kRelease;
    event.key = key;
    return event;
}

Event MoveEvent(POINT client) {
    Event event;
    event.kind = EventKind::kMove;
    event.x = client.x;
    event.y = client.y;
    return event;
}

Event CloseEvent() {
    Event event;
    event.kind = EventKind::kClose;
    return event;
}

}  // namespace

bool LatchForRecording(script::InputRecorder& recorder, const SDL_Event& event,
                       const std::function<HostWindow*(Uint32)>& findHost) {
    POINT client{};
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const HostKey key = TranslateKey(event.key.keysym);
            HostWindow* host = findHost(event.key.windowID);
            if (key.virtualKey == 0 || (host && host->OpenMenuItem() >= 0)) return false;
            recorder.Latch(KeyEvent(event.type == SDL_KEYDOWN, key.stateKey));
            return true;
        }
        case SDL_MOUSEMOTION:
            if (!ClientPoint(findHost(event.motion.windowID), event.motion.x, event.motion.y,
                             client))
                return false;
            recorder.Latch(MoveEvent(client));
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int key = ButtonKey(event.button.button);
            if (key == 0 || !ClientPoint(findHost(event.button.windowID), event.button.x,
                                         event.button.y, client))
                return false;
            recorder.Latch(MoveEvent(client));
            recorder.Latch(KeyEvent(event.type == SDL_MOUSEBUTTONDOWN, key));
            return true;
        }
        case SDL_WINDOWEVENT:
            if (event.window.event != SDL_WINDOWEVENT_CLOSE || !findHost(event.window.windowID))
                return false;
            recorder.Latch(CloseEvent());
            return true;
        default:
            return false;
    }
}

}  // namespace brannock::platform::sdl2
