// Message boxes on the host: SDL's modal box with the type's buttons, or a
// line on stderr answered at once for unattended runs.
#pragma once

#include <string>

#include "platform/windef.h"

namespace brannock::platform::sdl2 {

// Returns the id of the chosen button (IDOK, IDYES, ...). A box SDL cannot
// show goes to stderr instead.
int ShowHostMessageBox(const std::string& textUtf8, const std::string& captionUtf8, UINT type,
                       bool toStderr);

}  // namespace brannock::platform::sdl2
