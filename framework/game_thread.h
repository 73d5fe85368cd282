// The game thread: started by Run in threaded mode to run the main loop.
#pragma once

#include "platform/win32.h"

// Starts the thread that runs g_pSystem's main loop; null on failure.
HANDLE StartGameThread();

// True once the game thread's routine has finished (the thread may still be
// on its way out).
bool GameThreadFinished();

// Called once the run is over, before the process entry returns: no game
// thread may outlive the run into static destruction (see the definition).
void EndGameThreadBeforeExit();
