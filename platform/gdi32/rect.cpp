// Rectangle helpers of user32 that the framework uses.
#include "platform/gdi32/gdi32.h"

BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
    if (!lprc) return FALSE;
    *lprc = {xLeft, yTop, xRight, yBottom};
    return TRUE;
}
