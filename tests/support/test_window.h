// A plain visible window for tests that draw into one.
#pragma once

#include "platform/win32.h"

namespace brannock::test {

// A visible top-level window of a class that leaves every message to
// DefWindowProcA.
HWND CreateTestWindow(DWORD style, int x, int y, int width, int height);

}  // namespace brannock::test
