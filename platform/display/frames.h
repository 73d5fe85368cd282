// Frame boundaries as the platform learns them, handed to the backend: the
// DirectDraw present path reports each frame it shows, and on non-Windows
// builds the framework's pacing call reports each frame it paces (Win32 has
// no such call, so the Windows build does without).
#pragma once

namespace brannock::platform::display {

// Call with no lock held; both may block and may unwind a stopped thread.
void NotifyFramePresented();
void NotifyFramePaced(int framesPerSecond);

}  // namespace brannock::platform::display
