// RegisterClassExA and the class table.
#include "platform/user32/window_class.h"

#include <strings.h>

#include "platform/win32.h"

namespace brannock::platform::user32 {

std::shared_ptr<const WindowClass> FindClassLocked(State& state, LPCSTR name) {
    if (!name) return nullptr;
    for (const auto& c : state.classes) {
        if (IS_INTRESOURCE(name) ? c->atom == static_cast<ATOM>(reinterpret_cast<UINT_PTR>(name))
                                 : strcasecmp(c->name.c_str(), name) == 0)
            return c;
    }
    return nullptr;
}

}  // namespace brannock::platform::user32

using namespace brannock::platform::user32;

namespace {
// Far more than any window needs; keeps a hostile record from allocating
// gigabytes per window.
constexpr int kMaxExtraBytes = 0x10000;
}  // namespace

// Fails (0) for a record of the wrong size, a missing procedure or name, an
// extra size out of range, a name already registered, or no atom left.
ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpfnWndProc || !wc->lpszClassName ||
        IS_INTRESOURCE(wc->lpszClassName) || wc->lpszClassName[0] == '\0' || wc->cbWndExtra < 0 ||
        wc->cbWndExtra > kMaxExtraBytes || wc->cbClsExtra < 0)
        return 0;
    State& state = GetState();
    Lock lock(state.mutex);
    if (state.nextAtom == 0 || FindClassLocked(state, wc->lpszClassName)) return 0;
    auto c = std::make_shared<WindowClass>();
    c->name = wc->lpszClassName;
    c->atom = state.nextAtom++;
    c->style = wc->style;
    c->proc = wc->lpfnWndProc;
    c->windowExtra = wc->cbWndExtra;
    c->instance = wc->hInstance;
    c->icon = wc->hIcon;
    c->cursor = wc->hCursor;
    c->background = wc->hbrBackground;
    state.classes.push_back(c);
    return c->atom;
}
