// The SDL2 backend: a real window per top-level window.
#pragma once

#include <memory>

#include "platform/backend/backend.h"

namespace brannock::platform {

std::unique_ptr<Backend> CreateSdl2Backend();  // null when no display opens

}  // namespace brannock::platform
