// Joysticks through SDL's joystick API: up to four, numbered in the order
// they were plugged in. SDL is used on the window thread only, from its
// events; readers on other threads (joyGetPos on the game thread) get the
// last state from a snapshot.
#pragma once

#include <SDL.h>

#include <array>
#include <mutex>

#include "platform/backend/backend.h"

namespace brannock::platform::sdl2 {

class Joysticks {
  public:
    Joysticks() = default;
    Joysticks(const Joysticks&) = delete;
    Joysticks& operator=(const Joysticks&) = delete;
    ~Joysticks();

    // Follows a joystick event (device added or removed, axis, button, hat);
    // others are ignored. Window thread.
    void HandleEvent(const SDL_Event& event);

    // Any thread. False for an id without a joystick.
    bool Read(UINT id, JoystickReading& reading) const;

  private:
    struct Slot {
        SDL_Joystick* device = nullptr;
        SDL_JoystickID instance = -1;
        bool hatAsStick = false;  // no axes of its own: the hat moves x and y
        JoystickReading reading;
    };

    // The slot of an open joystick; Find(-1) gives a free slot.
    Slot* Find(SDL_JoystickID instance);
    void Add(int deviceIndex);

    mutable std::mutex mutex_;
    std::array<Slot, 4> slots_;
};

// An SDL axis value (-32768..32767) on joyGetPos's 0..65535 scale.
inline UINT ScaleAxis(Sint16 value) {
    return static_cast<UINT>(value + 32768);
}

}  // namespace brannock::platform::sdl2
