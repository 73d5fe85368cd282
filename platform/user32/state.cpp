#include "platform/user32/state.h"

#include <algorithm>

namespace brannock::platform::user32 {

State& GetState() {
    static State* state = new State;
    return *state;
}

HWND DesktopHandle() {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x10000));
}

Window* State::FindWindow(HWND hwnd) {
    auto it = windows.find(reinterpret_cast<UINT_PTR>(hwnd));
    return it == windows.end() ? nullptr : it->second.get();
}

Menu* State::FindMenu(HMENU menu) {
    auto it = menus.find(reinterpret_cast<UINT_PTR>(menu));
    return it == menus.end() ? nullptr : it->second.get();
}

bool IsSelfOrDescendant(State& state, HWND hwnd, HWND ancestor) {
    for (Window* w = state.FindWindow(hwnd); w; w = state.FindWindow(w->parent)) {
        if (w->handle == ancestor) return true;
        if (!w->IsChild()) break;
    }
    return false;
}

std::vector<HWND> ChildrenOf(State& state, HWND parent) {
    std::vector<HWND> result;
    for (auto& [key, w] : state.windows)
        if (w->parent == parent) result.push_back(w->handle);
    return result;
}

void DestroyMenuLocked(State& state, HMENU handle) {
    auto it = state.menus.find(reinterpret_cast<UINT_PTR>(handle));
    if (it == state.menus.end()) return;
    std::unique_ptr<Menu> menu = std::move(it->second);
    state.menus.erase(it);
    if (Window* w = state.FindWindow(menu->window); w && w->menu == handle) w->menu = nullptr;
    // Erased before recursing, so a menu reachable twice is destroyed once.
    for (const MenuItem& item : menu->items)
        if (item.popup) DestroyMenuLocked(state, item.popup);
}

void RemoveWindowLocked(State& state, HWND hwnd, std::vector<HWND>& removedTopLevel) {
    for (HWND child : ChildrenOf(state, hwnd))
        RemoveWindowLocked(state, child, removedTopLevel);
    auto it = state.windows.find(reinterpret_cast<UINT_PTR>(hwnd));
    if (it == state.windows.end()) return;
    Window& w = *it->second;
    if (!w.IsChild()) {
        removedTopLevel.push_back(hwnd);
        if (w.menu) DestroyMenuLocked(state, w.menu);
    }
    if (ThreadQueue* queue = w.queue.get()) {
        std::erase_if(queue->posted, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
        std::erase_if(queue->timers, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
    }
    if (state.foreground == hwnd) state.foreground = nullptr;
    state.windows.erase(it);
}

}  // namespace brannock::platform::user32
