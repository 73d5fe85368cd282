// The window map and the calls in progress into its objects.
#include "framework/window_map.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

struct WindowPair {
    HWND window = nullptr;
    void* object = nullptr;
};

// A call in progress: on which object, from which thread.
struct ObjectCall {
    const void* object;
    DWORD thread;
};

constexpr int kMapSize = 30;
constexpr auto kWithdrawPoll = std::chrono::milliseconds(1);

// Secondary windows register from the pumping thread while their own threads
// look themselves up, so every operation holds the lock.
std::mutex g_mapLock;
std::array<WindowPair, kMapSize> g_map;
int g_mapCount = 0;
// The calls in progress, under the map lock. Never destroyed: objects may
// be withdrawn during static destruction.
struct Calls {
    std::vector<ObjectCall> inProgress;
    std::condition_variable ended;
};

Calls& TheCalls() {
    static auto* calls = new Calls;
    return *calls;
}

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

void* FindLocked(HWND window) {
    for (const WindowPair& pair : g_map)
        if (pair.window == window) return pair.object;
    return nullptr;
}

bool CalledOnOtherThreads(const void* object, DWORD self) {
    return std::ranges::any_of(TheCalls().inProgress, [&](const ObjectCall& call) {
        return call.object == object && call.thread != self;
    });
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
    return FindLocked(window);
}

void CompactWindowMap() {
    std::lock_guard lock(g_mapLock);
    CompactLocked();
}

WindowObjectCall::WindowObjectCall(HWND window) {
    std::lock_guard lock(g_mapLock);
    CompactLocked();
    object_ = FindLocked(window);
    if (object_) TheCalls().inProgress.push_back({object_, GetCurrentThreadId()});
}

WindowObjectCall::~WindowObjectCall() {
    if (!object_) return;
    Calls& calls = TheCalls();
    {
        std::lock_guard lock(g_mapLock);
        const DWORD self = GetCurrentThreadId();
        const auto mine = std::ranges::find_if(calls.inProgress, [&](const ObjectCall& call) {
            return call.object == object_ && call.thread == self;
        });
        if (mine != calls.inProgress.end()) calls.inProgress.erase(mine);
    }
    calls.ended.notify_all();
}

void WithdrawWindowObject(const void* object) {
    const DWORD self = GetCurrentThreadId();
    std::unique_lock lock(g_mapLock);
    for (WindowPair& pair : g_map)
        if (pair.object == object) pair = {};
    CompactLocked();
    while (CalledOnOtherThreads(object, self)) {
        TheCalls().ended.wait_for(lock, kWithdrawPoll);
        // The call may be waiting for this thread to answer a message.
        lock.unlock();
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        lock.lock();
    }
}
