// A plain top-level window for the input tests: pointer geometry and the
// foreground checks need real window handles.
#pragma once

#include "platform/win32.h"

namespace test_window {

inline const char* PlainClass() {
    static const char* const name = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "InputTestWindow";
        RegisterClassExA(&wc);
        return "InputTestWindow";
    }();
    return name;
}

struct PlainWindow {
    PlainWindow(DWORD style, HMENU menu, int x = 100, int y = 50, int width = 300, int height = 200)
        : handle(CreateWindowExA(0, PlainClass(), "", style, x, y, width, height, nullptr, menu,
                                 nullptr, nullptr)) {}
    ~PlainWindow() {
        if (IsWindow(handle)) DestroyWindow(handle);
    }
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;

    HWND handle;
};

}  // namespace test_window
