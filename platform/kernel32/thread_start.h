// A hook that every thread CreateThread starts runs before its routine.
// Scripted runs use it so that a thread the program starts at start-up (the
// game thread) begins once the window thread has taken in its start-up
// messages, as it does in every run of the script.
#pragma once

#include <functional>

namespace brannock::platform {

// Replaces the hook; an empty function removes it. Runs on the new thread,
// which it may hold up; a thread being terminated unwinds out of it.
void SetThreadStartHook(std::function<void()> hook);

}  // namespace brannock::platform
