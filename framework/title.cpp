#include "framework/globals.h"
#include "framework/shift_jis.h"
#include "framework/system.h"

void CSystem::SetTitle(const char* text) {
    // Longer titles are cut to the buffer at a character boundary, so a
    // double-byte character is never split.
    if (text && text[0] != '\0') CopyShiftJisTruncated(g_title, sizeof g_title, text);
    if (HWND window = g_hWnd.load()) SetWindowTextA(window, g_title);
}
