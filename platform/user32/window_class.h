// Window class look-up for CreateWindowExA.
#pragma once

#include <memory>

#include "platform/user32/state.h"

namespace brannock::platform::user32 {

// The class named `name` (letter case ignored) or, for MAKEINTATOM values,
// the class with that atom; null when none is registered. Needs the lock.
std::shared_ptr<const WindowClass> FindClassLocked(State& state, LPCSTR name);

}  // namespace brannock::platform::user32
