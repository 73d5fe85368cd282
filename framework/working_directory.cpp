#include "framework/working_directory.h"

#include <cstring>

#include "framework/shift_jis.h"
#include "framework/system.h"

namespace {

// ASCII-only case-insensitive comparison: bytes from 0x80 up never match.
bool EqualsUpperAscii(const char* text, const char* upper) {
    for (; *text != '\0' && *upper != '\0'; ++text, ++upper) {
        char c = *text;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != *upper) return false;
    }
    return *text == *upper;
}

}  // namespace

void LeaveBuildOutputDirectory(CSystem& system) {
    char path[256] = {};
    // A result above the length means the path did not fit and the buffer
    // holds nothing usable.
    const DWORD length = GetCurrentDirectoryA(255, path);
    if (length == 0 || length > 255) return;

    const std::ptrdiff_t separator = ShiftJisLastBackslash(path);
    if (separator < 0) return;
    const char* segment = path + separator + 1;
    if (!EqualsUpperAscii(segment, "DEBUG") && !EqualsUpperAscii(segment, "RELEASE")) return;

    // "C:\Debug" moves to the drive's root "C:\", not to the bare "C:",
    // which would name the drive's current directory.
    const bool driveRoot = separator == 2 && path[1] == ':';
    path[driveRoot ? separator + 1 : separator] = '\0';
    SetCurrentDirectoryA(path);
    system.SetTitle(path);
}
