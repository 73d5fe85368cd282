// LoadCursorA / LoadIconA: the system's cursors and icons. The program's
// module holds no resources, so a load from a module fails (null), as it
// does on Windows for a module without resources.
#include "platform/win32.h"

namespace {

// Handle values of the system cursors and icons: fixed table entries.
constexpr UINT_PTR kCursorBase = 0x0001'0000'0000;
constexpr UINT_PTR kIconBase = 0x0002'0000'0000;

constexpr WORD kSystemCursors[] = {32512, 32513, 32514, 32515, 32649};
constexpr WORD kSystemIcons[] = {32512, 32513, 32514, 32515, 32516, 32517};

template <std::size_t N>
UINT_PTR SystemHandle(HINSTANCE instance, LPCSTR name, const WORD (&ids)[N], UINT_PTR base) {
    if (instance || !name || !IS_INTRESOURCE(name)) return 0;
    const WORD id = static_cast<WORD>(reinterpret_cast<UINT_PTR>(name));
    for (std::size_t i = 0; i < N; ++i)
        if (ids[i] == id) return base + id;
    return 0;
}

}  // namespace

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    return reinterpret_cast<HCURSOR>(SystemHandle(instance, name, kSystemCursors, kCursorBase));
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    return reinterpret_cast<HICON>(SystemHandle(instance, name, kSystemIcons, kIconBase));
}
