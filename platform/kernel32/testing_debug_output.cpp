#include "platform/testing/debug_output.h"

#include "platform/kernel32/debug_output.h"

namespace brannock::testing {

void CaptureDebugOutput(bool on) {
    platform::SetDebugCapture(on);
}
std::vector<std::string> DebugOutput() {
    return platform::CapturedDebugOutput();
}
void ClearDebugOutput() {
    platform::ClearCapturedDebugOutput();
}

}  // namespace brannock::testing
