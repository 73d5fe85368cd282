// While a run is recorded, the host's keys, mouse and close control become
// script events for the recorder to latch, instead of messages posted at
// once. The menu bar and its drop-down keep working live, as does anything
// a script cannot say (the wheel, focus changes). Window thread only.
#pragma once

#include <SDL.h>

#include <functional>

#include "platform/backend/script/input_recorder.h"
#include "platform/backend/sdl2/host_window.h"

namespace brannock::platform::sdl2 {

// True when `event` went to the recorder; `findHost` finds the host window
// of an SDL window id (null for none of ours).
bool LatchForRecording(script::InputRecorder& recorder, const SDL_Event& event,
                       const std::function<HostWindow*(Uint32)>& findHost);

}  // namespace brannock::platform::sdl2
