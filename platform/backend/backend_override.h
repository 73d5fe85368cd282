// Replacing the process's backend, for tests that observe or script what the
// platform tells a backend.
#pragma once

#include <memory>

#include "platform/backend/backend.h"

namespace brannock::platform {

// From now on CurrentBackend() returns `backend`. Called before first use, the
// default backend is never created. A replaced backend is kept alive until
// the process ends, so references taken earlier stay valid.
void InstallBackend(std::unique_ptr<Backend> backend);

}  // namespace brannock::platform
