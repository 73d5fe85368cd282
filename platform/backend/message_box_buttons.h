// The buttons of a MessageBoxA type: which ones a box shows and which one a
// user who just presses Enter chooses. Shared by the backends.
#pragma once

#include <span>

#include "platform/windef.h"

namespace brannock::platform {

// The button ids (IDOK, IDCANCEL, ...) of the type's MB_TYPEMASK set, in the
// order a box shows them; the MB_OK set for unknown types.
std::span<const int> MessageBoxButtons(UINT type);

// The default button: the one MB_DEFBUTTONn names, the first when it names
// none of the set.
int DefaultMessageBoxButton(UINT type);

}  // namespace brannock::platform
