// Menus: handles into the menu table, items kept in order. A menu attached
// to a window is its menu bar, SM_CYMENU high between caption and client
// area.
#include <algorithm>
#include <cstring>
#include <functional>

#include "platform/user32/messaging.h"
#include "platform/win32.h"

using namespace brannock::platform::user32;

namespace {

HMENU NewMenu(bool popup) {
    State& state = GetState();
    Lock lock(state.mutex);
    const UINT_PTR handle = state.NewHandle();
    auto menu = std::make_unique<Menu>();
    menu->popup = popup;
    state.menus.emplace(handle, std::move(menu));
    return reinterpret_cast<HMENU>(handle);
}

struct ItemRef {
    Menu* menu = nullptr;
    std::size_t index = 0;
};

// Finds an item by position, or by command id in the menu and its pop-ups
// (depth first, as Windows searches). Separators answer to the id 0, as on
// Windows. Needs the lock.
ItemRef FindItem(State& state, HMENU handle, UINT item, UINT flags, int depth = 0) {
    Menu* menu = state.FindMenu(handle);
    if (!menu || depth > 64) return {};
    if (flags & MF_BYPOSITION) return item < menu->items.size() ? ItemRef{menu, item} : ItemRef{};
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& it = menu->items[i];
        if (it.popup) {
            if (ItemRef found = FindItem(state, it.popup, item, flags, depth + 1); found.menu)
                return found;
        } else if (it.id == item) {
            return ItemRef{menu, i};
        }
    }
    return {};
}

// True when `inner` is `outer` or reachable from it: inserting such a pop-up
// into `inner` would make the menu contain itself.
bool Reaches(State& state, HMENU outer, HMENU inner, int depth = 0) {
    if (outer == inner) return true;
    Menu* menu = state.FindMenu(outer);
    if (!menu || depth > 64) return false;
    for (const MenuItem& it : menu->items)
        if (it.popup && Reaches(state, it.popup, inner, depth + 1)) return true;
    return false;
}

// The menu bar changed size: lay the frame out again, which sends WM_SIZE
// and tells the backend.
void RefreshFrame(HWND window) {
    if (!window) return;
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

HMENU WINAPI CreateMenu() {
    return NewMenu(false);
}
HMENU WINAPI CreatePopupMenu() {
    return NewMenu(true);
}

BOOL WINAPI IsMenu(HMENU menu) {
    State& state = GetState();
    Lock lock(state.mutex);
    return state.FindMenu(menu) ? TRUE : FALSE;
}

// Destroys the pop-ups too. A menu bar destroyed while attached leaves its
// window without a menu rather than with a dead handle.
BOOL WINAPI DestroyMenu(HMENU menu) {
    HWND window = nullptr;
    {
        State& state = GetState();
        Lock lock(state.mutex);
        Menu* m = state.FindMenu(menu);
        if (!m) return FALSE;
        Window* w = state.FindWindow(m->window);
        if (w && w->menu == menu) window = m->window;
        DestroyMenuLocked(state, menu);
    }
    RefreshFrame(window);
    return TRUE;
}

// Without MF_BYPOSITION, `position` is the command id of the item to insert
// before (searched in pop-ups as well); with no such item the new one is
// appended. A position past the end appends too.
BOOL WINAPI InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR text) {
    State& state = GetState();
    Lock lock(state.mutex);
    Menu* target = state.FindMenu(menu);
    if (!target) return FALSE;
    MenuItem item;
    item.flags = flags & ~static_cast<UINT>(MF_BYPOSITION);
    if (flags & MF_POPUP) {
        HMENU popup = reinterpret_cast<HMENU>(idNewItem);
        if (!state.FindMenu(popup) || Reaches(state, popup, menu)) return FALSE;
        item.popup = popup;
    } else if (!(flags & MF_SEPARATOR)) {
        item.id = idNewItem;
    }
    if (!(flags & MF_SEPARATOR) && text) item.text = text;
    // A separator can never be chosen: Windows reports it grayed and disabled.
    if (flags & MF_SEPARATOR) item.flags |= MF_GRAYED | MF_DISABLED;

    std::size_t index = target->items.size();
    if (ItemRef ref = FindItem(state, menu, position, flags); ref.menu) {
        target = ref.menu;
        index = ref.index;
    }
    target->items.insert(target->items.begin() + static_cast<std::ptrdiff_t>(index),
                         std::move(item));
    return TRUE;
}

BOOL WINAPI AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR text) {
    return InsertMenuA(menu, static_cast<UINT>(-1), flags | MF_BYPOSITION, idNewItem, text);
}

HMENU WINAPI GetMenu(HWND window) {
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    return w && !w->IsChild() ? w->menu : nullptr;
}

// Attaching or removing a menu bar changes the client area, not the window
// rectangle. The old menu is not destroyed.
BOOL WINAPI SetMenu(HWND window, HMENU menu) {
    {
        State& state = GetState();
        Lock lock(state.mutex);
        Window* w = state.FindWindow(window);
        if (!w || w->IsChild()) return FALSE;
        Menu* m = nullptr;
        if (menu && !(m = state.FindMenu(menu))) return FALSE;
        if (Menu* old = state.FindMenu(w->menu)) old->window = nullptr;
        if (m) {
            if (Window* previous = state.FindWindow(m->window); previous && previous != w)
                previous->menu = nullptr;
            m->window = window;
        }
        w->menu = menu;
    }
    RefreshFrame(window);
    return TRUE;
}

// The program carries no resources.
HMENU WINAPI LoadMenuA(HINSTANCE, LPCSTR) {
    return nullptr;
}

int WINAPI GetMenuItemCount(HMENU menu) {
    State& state = GetState();
    Lock lock(state.mutex);
    Menu* m = state.FindMenu(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

// -1 for a pop-up item or a position out of range.
UINT WINAPI GetMenuItemID(HMENU menu, int position) {
    State& state = GetState();
    Lock lock(state.mutex);
    ItemRef ref = FindItem(state, menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (position < 0 || !ref.menu || ref.menu->items[ref.index].popup) return static_cast<UINT>(-1);
    return static_cast<UINT>(ref.menu->items[ref.index].id);
}

HMENU WINAPI GetSubMenu(HMENU menu, int position) {
    State& state = GetState();
    Lock lock(state.mutex);
    ItemRef ref = FindItem(state, menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (position < 0 || !ref.menu) return nullptr;
    HMENU popup = ref.menu->items[ref.index].popup;
    return state.FindMenu(popup) ? popup : nullptr;
}

// Copies the item's text; with a null buffer, returns its length.
int WINAPI GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags) {
    State& state = GetState();
    Lock lock(state.mutex);
    ItemRef ref = FindItem(state, menu, item, flags);
    if (!ref.menu) {
        if (buffer && size > 0) buffer[0] = '\0';
        return 0;
    }
    const std::string& text = ref.menu->items[ref.index].text;
    if (!buffer) return static_cast<int>(text.size());
    if (size <= 0) return 0;
    const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

// The item's MF_* flags (MF_SEPARATOR among them); for a pop-up, the low
// byte of its flags and its item count in the high byte.
UINT WINAPI GetMenuState(HMENU menu, UINT item, UINT flags) {
    State& state = GetState();
    Lock lock(state.mutex);
    ItemRef ref = FindItem(state, menu, item, flags);
    if (!ref.menu) return static_cast<UINT>(-1);
    const MenuItem& it = ref.menu->items[ref.index];
    if (Menu* popup = state.FindMenu(it.popup))
        return (static_cast<UINT>(popup->items.size()) << 8) | (it.flags & 0xFF) | MF_POPUP;
    return it.flags & 0xFFFF;
}
