// Work that must happen when the program ends, before static destruction
// tears the platform down: the process entry runs it after WinMain returns,
// ExitProcess before it exits, and an exit handler covers a plain exit().
#pragma once

#include <functional>

namespace brannock::platform {

// Handlers run once each, the last one added first.
void AtProcessEnd(std::function<void()> handler);
void RunProcessEndHandlers();

}  // namespace brannock::platform
