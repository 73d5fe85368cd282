// Every live surface, so that a display mode change (or a test) can make
// them all lost.
#pragma once

struct IDirectDrawSurface7;

namespace brannock::platform::ddraw {

class Surface;

void RegisterSurface(Surface* surface);
void UnregisterSurface(Surface* surface);

// Marks every live surface lost.
void LoseAllSurfaces();
// Marks `surface` lost if it is a live surface; false otherwise.
bool LoseSurface(IDirectDrawSurface7* surface);

}  // namespace brannock::platform::ddraw
