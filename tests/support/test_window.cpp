#include "tests/support/test_window.h"

namespace brannock::test {

HWND CreateTestWindow(DWORD style, int x, int y, int width, int height) {
    static const ATOM registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "BrannockTest";
        return RegisterClassExA(&windowClass);
    }();
    if (!registered) return nullptr;
    return CreateWindowExA(0, "BrannockTest", "test", style | WS_VISIBLE, x, y, width, height,
                           nullptr, nullptr, nullptr, nullptr);
}

}  // namespace brannock::test
