#include "platform/backend/sdl2/joysticks.h"

namespace brannock::platform::sdl2 {
namespace {

constexpr int kMaxButtons = 32;

void SetButton(JoystickReading& reading, int button, bool down) {
    if (button < 0 || button >= kMaxButtons) return;
    const UINT bit = 1u << button;
    reading.buttons = down ? (reading.buttons | bit) : (reading.buttons & ~bit);
}

void SetAxis(JoystickReading& reading, int axis, Sint16 value) {
    switch (axis) {
        case 0:
            reading.x = ScaleAxis(value);
            break;
        case 1:
            reading.y = ScaleAxis(value);
            break;
        case 2:
            reading.z = ScaleAxis(value);
            break;
        default:
            break;
    }
}

// A hat position as a stick pushed all the way.
void SetHat(JoystickReading& reading, Uint8 hat) {
    reading.x = (hat & SDL_HAT_LEFT) ? 0 : (hat & SDL_HAT_RIGHT) ? 65535 : 32767;
    reading.y = (hat & SDL_HAT_UP) ? 0 : (hat & SDL_HAT_DOWN) ? 65535 : 32767;
}

}  // namespace

Joysticks::~Joysticks() {
    for (Slot& slot : slots_)
        if (slot.device) SDL_JoystickClose(slot.device);
}

Joysticks::Slot* Joysticks::Find(SDL_JoystickID instance) {
    for (Slot& slot : slots_)
        if (slot.instance == instance) return &slot;
    return nullptr;
}

void Joysticks::Add(int deviceIndex) {
    SDL_Joystick* device = SDL_JoystickOpen(deviceIndex);
    if (!device) return;
    const SDL_JoystickID instance = SDL_JoystickInstanceID(device);
    bool kept = false;
    {
        std::lock_guard lock(mutex_);
        // A device already open got one more reference from SDL_JoystickOpen.
        Slot* slot = Find(instance) ? nullptr : Find(-1);
        if (slot) {
            kept = true;
            *slot = Slot{device, instance, SDL_JoystickNumAxes(device) < 2, {}};
            for (int axis = 0; axis < 3 && axis < SDL_JoystickNumAxes(device); ++axis)
                SetAxis(slot->reading, axis, SDL_JoystickGetAxis(device, axis));
            for (int button = 0; button < SDL_JoystickNumButtons(device); ++button)
                SetButton(slot->reading, button, SDL_JoystickGetButton(device, button) != 0);
            if (slot->hatAsStick && SDL_JoystickNumHats(device) > 0)
                SetHat(slot->reading, SDL_JoystickGetHat(device, 0));
        }
    }
    if (!kept) SDL_JoystickClose(device);  // already open, or all four in use
}

void Joysticks::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_JOYDEVICEADDED:
            Add(event.jdevice.which);
            return;
        case SDL_JOYDEVICEREMOVED: {
            SDL_Joystick* device = nullptr;
            {
                std::lock_guard lock(mutex_);
                if (Slot* slot = Find(event.jdevice.which)) {
                    device = slot->device;
                    *slot = Slot{};
                }
            }
            if (device) SDL_JoystickClose(device);
            return;
        }
        case SDL_JOYAXISMOTION: {
            std::lock_guard lock(mutex_);
            if (Slot* slot = Find(event.jaxis.which))
                SetAxis(slot->reading, event.jaxis.axis, event.jaxis.value);
            return;
        }
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP: {
            std::lock_guard lock(mutex_);
            if (Slot* slot = Find(event.jbutton.which))
                SetButton(slot->reading, event.jbutton.button, event.jbutton.state == SDL_PRESSED);
            return;
        }
        case SDL_JOYHATMOTION: {
            std::lock_guard lock(mutex_);
            Slot* slot = Find(event.jhat.which);
            if (slot && slot->hatAsStick && event.jhat.hat == 0)
                SetHat(slot->reading, event.jhat.value);
            return;
        }
        default:
            return;
    }
}

bool Joysticks::Read(UINT id, JoystickReading& reading) const {
    if (id >= slots_.size()) return false;
    std::lock_guard lock(mutex_);
    if (!slots_[id].device) return false;
    reading = slots_[id].reading;
    return true;
}

}  // namespace brannock::platform::sdl2
