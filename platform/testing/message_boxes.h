// Test control: the message boxes shown on the headless backend. Each one is
// recorded and answered at once (IDOK for MB_OK boxes).
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"

namespace brannock::testing {

struct MessageBoxRecord {
    HWND owner;
    std::string text;     // the caller's bytes, unchanged (code page 932)
    std::string caption;  // likewise
    UINT type;
};

std::vector<MessageBoxRecord> MessageBoxes();
void ClearMessageBoxes();

}  // namespace brannock::testing
