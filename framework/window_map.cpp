#include "framework/window_map.h"

#include <array>
#include <mutex>

namespace {

struct WindowPair {
    HWND window = nullptr;
    void* object = nullptr;
};

constexpr int kMapSize = 30;

// Secondary windows register from the pumping thread while their own threads
// look themselves up, so every operation holds the lock.
std::mutex g_mapLock;
std::array<WindowPair, kMapSize> g_map;
int g_mapCount = 0;

void CompactLocked() {
    int live = 0;
    for (WindowPair& pair : g_map) {
        if (pair.window && !IsWindow(pair.window)) pair = {};
        if (pair.window && pair.object) g_map[live++] = pair;
    }
    for (int i = live; i < kMapSize; ++i)
        g_map[i] = {};
    g_mapCount = live;
}

}  // namespace

int RegisterWindow(HWND window, void* object) {
    if (!IsWindow(window)) return 0;
    std::lock_guard lock(g_mapLock);
    CompactLocked();
    if (g_mapCount == kMapSize) return 0;
    g_map[g_mapCount++] = {window, object};
    return 1;
}

void* FindWindowObject(HWND window) {
    std::lock_guard lock(g_mapLock);
    for (const WindowPair& pair : g_map)
        if (pair.window == window) return pair.object;
    return nullptr;
}

void UnregisterWindow(HWND window) {
    std::lock_guard lock(g_mapLock);
    for (WindowPair& pair : g_map)
        if (pair.window == window) pair = {};
    CompactLocked();
}

void CompactWindowMap() {
    std::lock_guard lock(g_mapLock);
    CompactLocked();
}
