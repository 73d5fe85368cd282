// A plain top-level window for the input tests, destroyed with the object.
#pragma once

#include "platform/win32.h"

struct TestWindow {
    explicit TestWindow(DWORD style = WS_OVERLAPPEDWINDOW, HMENU menu = nullptr) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "InputTestWindow";
        RegisterClassExA(&wc);  // fails harmlessly once registered
        handle = CreateWindowExA(0, wc.lpszClassName, "", style, 100, 50, 300, 200, nullptr, menu,
                                 nullptr, nullptr);
    }
    ~TestWindow() { DestroyWindow(handle); }
    HWND handle;
};
