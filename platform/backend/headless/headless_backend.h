// The headless backend: no window system. The screen is memory, input comes
// from the test controls, message boxes are recorded and answered at once.
#pragma once

#include <memory>

#include "platform/backend/backend.h"
#include "platform/backend/settings.h"

namespace brannock::platform {

// Arms the settings' close delay for the first top-level window, saves the
// screen to the settings' screenshot path when the program ends, plays the
// settings' input script and writes frame digests where they say.
std::unique_ptr<Backend> CreateHeadlessBackend(const Settings& settings);

}  // namespace brannock::platform
