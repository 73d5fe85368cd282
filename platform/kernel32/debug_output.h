// Where OutputDebugStringA text goes: the sink the environment names
// (BRANNOCK_DEBUG_OUTPUT: "stderr" or a file path; nothing by default) and
// the capture that tests read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brannock::platform {

void WriteDebugOutput(std::string_view text);

void SetDebugCapture(bool on);
std::vector<std::string> CapturedDebugOutput();
void ClearCapturedDebugOutput();

}  // namespace brannock::platform
