// How TerminateThread reaches its target: the interrupt check of a thread
// started by CreateThread asks whether it has been told to stop.
#pragma once

namespace brannock::platform {

// Unwinds the calling thread to its start when TerminateThread asked it to
// stop; returns otherwise (and always on threads CreateThread did not start).
void EndThreadIfTerminated();

}  // namespace brannock::platform
