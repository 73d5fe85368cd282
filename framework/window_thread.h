// The threads of secondary windows: started for a window's object, ended
// cooperatively (a thread is never killed).
#pragma once

class CWindow;

// Starts a thread running the object's ThreadMain (through WindowThreadProc)
// and records it in the object. False when it cannot be started.
bool StartWindowThread(CWindow& window);

// Asks the object's thread to end by posting WM_QUIT to it, and waits at
// most about a second, serving messages sent to the calling thread meanwhile
// so a thread blocked in SendMessageA to its window can finish. True when
// the thread has ended (or there was none); its handle is then closed and
// cleared. On the window's own thread it only posts the WM_QUIT and returns
// false.
bool EndWindowThread(CWindow& window);
