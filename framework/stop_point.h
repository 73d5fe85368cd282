// Cooperative stop of the game thread.
//
// A thread cannot be killed safely (it may hold a lock or a surface), so a
// stop is a request: the game thread's next call into the framework, or into
// a blocking platform call, unwinds it with a private exception back to the
// routine that started it, which ends the thread.
#pragma once

// Returns at once, except on the game thread after a stop was requested:
// there it unwinds the thread. Framework operations the game thread calls
// every frame call it on entry, so a stopped game runs no further game code.
void GameThreadStopPoint();

// Runs body as the game thread's work on the calling thread; returns when
// body returns or when a stop unwound it. Other exceptions pass through.
void RunAsGameThread(void (*body)());

// True on the thread running RunAsGameThread.
bool OnGameThread();

// Asks the game thread to stop; it unwinds at its next stop point. Never
// withdrawn: the game thread runs once per process.
void RequestGameThreadStop();
