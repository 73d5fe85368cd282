// Module-wide input state: the switch that silences the pad and key reads,
// and four integers a game can share between its parts.
#pragma once

#include <atomic>

// While 0, CPadInput::GetDirection, CPadInput::GetButtons and
// CWindowInput::IsKeyDown return 0. Starts at 1. Atomic: a game may flip it
// on the window thread while the game thread polls.
extern std::atomic<int> inputEnabled;

void SetInputEnabled(int value);

// Four values the input module keeps for the game and never reads itself.
// Each value is atomic on its own; a set and a get running at the same time
// may see a mix of old and new values.
void SetSharedValues(int a, int b, int c, int d);
void GetSharedValues(int& a, int& b, int& c, int& d);
