// Test controls that make DirectDraw surfaces lost (platform/testing/display.h).
#include "platform/ddraw/surface_registry.h"
#include "platform/testing/display.h"

namespace brannock::testing {

void LoseSurface(IDirectDrawSurface7* surface) {
    platform::ddraw::LoseSurface(surface);
}

void LoseAllSurfaces() {
    platform::ddraw::LoseAllSurfaces();
}

}  // namespace brannock::testing
