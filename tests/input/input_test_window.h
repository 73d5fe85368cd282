// A plain top-level window for the input tests, destroyed with the object.
#pragma once

#include "platform/win32.h"

struct TestWindow {
    explicit TestWindow(DWORD style = WS_OVERLAPPEDWINDOW, HMENU menu = nullptr) {
        static const ATOM registered = [] {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = DefWindowProcA;
            wc.lpszClassName = "InputTestWindow";
            return RegisterClassExA(&wc);
        }();
        (void)registered;
        handle = CreateWindowExA(0, "InputTestWindow", "", style, 100, 50, 300, 200, nullptr, menu,
                                 nullptr, nullptr);
    }
    ~TestWindow() { DestroyWindow(handle); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle;
};
