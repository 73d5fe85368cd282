// The threads of secondary windows: started for a window's object, stopped
// cooperatively (a thread is never killed).
#pragma once

class CWindow;

// Starts a thread running the object's ThreadMain (through WindowThreadProc)
// and records it in the object. False when it cannot be started, also while
// an earlier thread of the object is still running.
bool StartWindowThread(CWindow& window);

// Asks the object's thread to end: its stop is requested (see stop_point.h)
// and WM_QUIT is posted to it. Returns at once.
void RequestWindowThreadEnd(CWindow& window);

// Waits for the object's thread to end, for at most 3 seconds when
// `bounded`, else for as long as it takes, serving messages sent to the
// calling thread meanwhile, so a thread blocked sending to its window can
// finish. On the platform layer a thread that ignores its stop for a second
// is unwound at its next blocking call (TerminateThread). True when the thread has ended (or there
// was none): its handle is then closed and cleared. On the window's own thread it returns false at
// once: that thread ends when ThreadMain returns.
bool WaitForWindowThread(CWindow& window, bool bounded);
