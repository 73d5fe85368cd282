// Choosing the backend of the process, once, on first use.
#include "platform/backend/backend.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/backend/backend_override.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/backend/settings.h"
#include "platform/kernel32/interrupt.h"
#ifdef BRANNOCK_HAVE_SDL2
#include "platform/backend/sdl2/sdl2_backend.h"
#endif

namespace brannock::platform {
namespace {

std::atomic<Backend*> g_current{nullptr};
std::mutex g_choiceMutex;

// Every backend the process has used. Never destroyed: other threads may
// still call the backend while the process ends.
std::vector<std::unique_ptr<Backend>>& Backends() {
    static auto* backends = new std::vector<std::unique_ptr<Backend>>;
    return *backends;
}

std::unique_ptr<Backend> CreateChosenBackend() {
    const Settings& settings = ProcessSettings();
    // Scripts play on the headless backend.
    if (settings.backend == "headless" || (settings.backend.empty() && !settings.script.empty()))
        return CreateHeadlessBackend(settings);
#ifdef BRANNOCK_HAVE_SDL2
    if (auto sdl2 = CreateSdl2Backend()) return sdl2;
    if (settings.backend == "sdl2")
        std::fprintf(stderr, "brannock: no display for the sdl2 backend; running headless\n");
#else
    if (settings.backend == "sdl2")
        std::fprintf(stderr, "brannock: built without the sdl2 backend; running headless\n");
#endif
    return CreateHeadlessBackend(settings);
}

// A blocked call on the thread that drives the host keeps the host served:
// the window redraws and takes input while that thread waits.
void PumpFromBlockedCall() {
    if (Backend* backend = g_current.load(std::memory_order_acquire)) backend->PumpEvents();
}

Backend& Keep(std::unique_ptr<Backend> backend) {
    Backend& kept = *backend;
    Backends().push_back(std::move(backend));
    g_current.store(&kept, std::memory_order_release);
    SetBlockedCallWork(&PumpFromBlockedCall);
    return kept;
}

}  // namespace

Backend& CurrentBackend() {
    if (Backend* backend = g_current.load(std::memory_order_acquire)) return *backend;
    std::lock_guard lock(g_choiceMutex);
    if (Backend* backend = g_current.load(std::memory_order_acquire)) return *backend;
    return Keep(CreateChosenBackend());
}

void InstallBackend(std::unique_ptr<Backend> backend) {
    if (!backend) return;
    std::lock_guard lock(g_choiceMutex);
    Keep(std::move(backend));
}

}  // namespace brannock::platform
