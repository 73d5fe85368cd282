// XSprite frame-rate readout: frames presented in the last second, drawn
// near the top right corner of the window.
#include <cstdio>

#include "graphics/xsprite.h"

int XSprite::GetFrameRate() {
    const DWORD now = GetTickCount();
    fpsNow = static_cast<int>(now);
    ++fpsFrames;
    // A period ends at the first call more than a second after it began;
    // that call is counted in it. The difference in unsigned 32-bit
    // arithmetic stays right when the tick count passes 0x80000000 and when
    // it wraps, as WaitFrame's does.
    if (now - static_cast<DWORD>(fpsLastTick) > 1000) {
        fpsLastTick = fpsNow;
        fpsValue = fpsFrames;
        fpsFrames = 0;
    }
    return fpsValue;
}

void XSprite::UpdateFrameRate() {
    if (!showFps) return;
    HDC dc = GetWindowDC(window);
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%04d[fps]", GetFrameRate());
    if (dc && IsWindow(window)) TextOutA(dc, screenWidth - 120, 2, text, length);
    if (dc) ReleaseDC(window, dc);
}
