// Cooperative stop of the game thread.
#pragma once

// Returns at once, except on the game thread after StopGameThread asked it to
// end: there it unwinds the thread back to its routine with a private
// exception. Framework operations the game thread calls every frame call it
// on entry, so a stopped game runs no further game code.
void GameThreadStopPoint();
