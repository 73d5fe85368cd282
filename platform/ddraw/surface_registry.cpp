#include "platform/ddraw/surface_registry.h"

#include <mutex>
#include <unordered_set>

#include "platform/ddraw/surface.h"

namespace brannock::platform::ddraw {

namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_set<Surface*> surfaces;
};

// Never destroyed: a game's static display releases its surfaces during
// static destruction.
Registry& TheRegistry() {
    static auto* registry = new Registry;
    return *registry;
}

}  // namespace

void RegisterSurface(Surface* surface) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.surfaces.insert(surface);
}

void UnregisterSurface(Surface* surface) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.surfaces.erase(surface);
}

void LoseAllSurfaces() {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    for (Surface* surface : registry.surfaces)
        surface->MarkLost();
}

bool LoseSurface(IDirectDrawSurface7* surface) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    // Compare addresses before converting: `surface` may be stale.
    for (Surface* live : registry.surfaces) {
        if (static_cast<IDirectDrawSurface7*>(live) == surface) {
            live->MarkLost();
            return true;
        }
    }
    return false;
}

}  // namespace brannock::platform::ddraw
