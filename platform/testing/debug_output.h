// Test control: read what OutputDebugStringA sent to the debugger.
#pragma once

#include <string>
#include <vector>

namespace brannock::testing {

// Starts capturing: every later OutputDebugStringA call is kept, one entry
// per call, with its bytes unchanged. Capturing is off at start.
void CaptureDebugOutput(bool on);
std::vector<std::string> DebugOutput();
void ClearDebugOutput();

}  // namespace brannock::testing
