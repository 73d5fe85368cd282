// XSprite screen-mode switching. A request, made on the window thread,
// changes the window's style and menu and marks the change as pending; the
// next Present carries it out on the drawing thread, re-creating every
// surface for the new mode with its contents and image handles intact.
#include <cstdio>

#include "graphics/xsprite.h"

namespace {

// Outer size of the window that shows the whole screen in windowed mode.
SIZE WindowedSize(int width, int height) {
    return SIZE{width + 2 * GetSystemMetrics(SM_CXFRAME),
                height + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYMENU)};
}

void TraceStyle(const char* format, LONG style) {
    char line[48];
    std::snprintf(line, sizeof line, format, static_cast<int>(style));
    OutputDebugStringA(line);
}

}  // namespace

int XSprite::KeepStyle() {
    int removed = 0;
    if (HMENU menu = GetMenu(window)) {
        savedMenu = menu;
        SetMenu(window, nullptr);
        removed = 1;
    }
    savedStyle = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_POPUP));
    TraceStyle("KEEP STYLE %d\n", savedStyle);
    return removed;
}

int XSprite::RestoreStyle() {
    if (!GetMenu(window) && savedMenu) {
        SetMenu(window, savedMenu);
        savedMenu = nullptr;
    }
    SetWindowLongA(window, GWL_STYLE, savedStyle);
    TraceStyle("RESTORE STYLE %d\n", savedStyle);
    return 1;
}

void XSprite::RequestFullScreen() {
    GetWindowRect(window, &requestedWindowRect);
    KeepStyle();
}

void XSprite::RequestWindowed() {
    // Back at the window's present corner, at the windowed size.
    GetWindowRect(window, &requestedWindowRect);
    const SIZE size = WindowedSize(screenWidth, screenHeight);
    requestedWindowRect.right = requestedWindowRect.left + size.cx;
    requestedWindowRect.bottom = requestedWindowRect.top + size.cy;
    RestoreStyle();
}

int XSprite::ToggleScreenMode() {
    if (!active || !drawEnabled) return 0;
    // Drawing stops first and the change is marked pending last, so Present
    // never shows a frame on half-made surfaces.
    drawEnabled = 0;
    if (windowed) {
        RequestFullScreen();
    } else {
        RequestWindowed();
    }
    windowed = !windowed;
    modeChangePending = 1;
    return 0;
}

void XSprite::GoFullScreen() {
    if (!active || !drawEnabled || !windowed) return;
    drawEnabled = 0;
    RequestFullScreen();
    windowed = 0;
    modeChangePending = 1;
}

void XSprite::GoWindowed() {
    if (!active || !drawEnabled || windowed) return;
    drawEnabled = 0;
    RequestWindowed();
    windowed = 1;
    modeChangePending = 1;
}

int XSprite::ChangeMode(HWND target) {
    // The placement the request recorded; from here on only this thread
    // writes windowRect.
    windowRect = requestedWindowRect;

    // Everything drawn so far goes into GDI bitmaps, which outlive the
    // surfaces and fill the new ones.
    CopySurfaceToBitmap(bgScreenBitmap, kSelectBgScreen);
    CopySurfaceToBitmap(bgImageBitmap, kSelectBgImage);
    for (int i = 0; i < pageCount; ++i)
        CopySurfaceToBitmap(pageBitmaps[i], i);
    SaveImages();

    const int released = ReleaseAllObjects(target);
    if (released < 0) return ErrorBox(target, released, "ReleaseAllObjects FAILED");
    if (windowed) {
        SetWindowPos(target, HWND_NOTOPMOST, windowRect.left, windowRect.top,
                     windowRect.right - windowRect.left, windowRect.bottom - windowRect.top,
                     SWP_SHOWWINDOW);
    }
    const int result = CreateSurfaces(target, pageCount);
    ReloadImages();
    return result;
}

MINMAXINFO* XSprite::FillTrackSize(MINMAXINFO* info) {
    if (!info) return info;
    const SIZE size = WindowedSize(screenWidth, screenHeight);
    info->ptMinTrackSize = POINT{size.cx, size.cy};
    info->ptMaxTrackSize = POINT{size.cx, size.cy};
    return info;
}
