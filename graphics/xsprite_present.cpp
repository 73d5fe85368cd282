// XSprite presentation: the back buffer shown in the window's client area
// (windowed) or by a flip (full screen), once per frame.
#include "framework/stop_point.h"
#include "graphics/xsprite.h"

void XSprite::Present() {
    StopPoint();
    // A screen-mode change requested since the last frame happens here, on
    // the thread that draws; drawing stays off until it is done.
    if (modeChangePending.exchange(0)) {
        ChangeMode(window);
        drawEnabled = 1;
    }
    if (!active || !drawEnabled) return;
    if (!IsWindow(window)) throw 0;
    if (!primary || !back) return;

    if (autoRedraw) Redraw();
    UpdateFrameRate();

    if (windowed) {
        ShowWindowed(true);
        return;
    }
    HRESULT result;
    while ((result = primary->Flip(nullptr, 0)) == DDERR_WASSTILLDRAWING)
        StopPoint();
    if (result == DDERR_SURFACELOST) primary->Restore();  // this frame is dropped
}

void XSprite::ShowWindowed(bool updateRects) {
    HRESULT result;
    do {
        if (updateRects) UpdateRects();
        result = primary->Blt(&destRect, back, &sourceRect, DDBLT_WAIT, nullptr);
        if (result == DDERR_WASSTILLDRAWING) StopPoint();
    } while (result == DDERR_WASSTILLDRAWING);
    if (result == DDERR_SURFACELOST) primary->Restore();  // this frame is dropped
}

void XSprite::UpdateRects() {
    if (!window) return;
    GetWindowRect(window, &windowRect);
    RECT client;
    GetClientRect(window, &client);
    POINT origin{client.left, client.top};
    ClientToScreen(window, &origin);

    // The window as it stands in windowed mode, kept for a switch back.
    windowRect.right = windowRect.left + screenWidth + 2 * GetSystemMetrics(SM_CXFRAME);
    windowRect.bottom = windowRect.top + screenHeight + 2 * GetSystemMetrics(SM_CYFRAME) +
                        GetSystemMetrics(SM_CYMENU);

    // The whole back buffer, 1:1, at the client area's top-left corner.
    SetRect(&sourceRect, client.left, client.top, client.left + screenWidth,
            client.top + screenHeight);
    SetRect(&destRect, origin.x, origin.y, origin.x + screenWidth, origin.y + screenHeight);
}

void XSprite::Repaint() {
    if (!windowed || !drawEnabled || !primary || !back) return;
    ShowWindowed(false);
}
