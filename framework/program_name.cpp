// The program's name as its command line gives it.
#include <cstring>

#include "framework/shift_jis.h"
#include "framework/system.h"

namespace {

char g_programName[100] = {};

}  // namespace

// The last backslash-separated segment of the command line, cut at its first
// dot: "C:\Games\Sample.exe" gives "Sample". Without a backslash the name
// starts at the beginning. Only the first 255 bytes of the command line and
// 99 bytes of the name are used; Shift-JIS characters are never split, and a
// trail byte 0x5C is not taken for a backslash.
char* CSystem::GetProgramName() {
    char work[256];
    const char* commandLineText = GetCommandLineA();
    CopyShiftJisTruncated(work, sizeof work, commandLineText != nullptr ? commandLineText : "");

    char* name = work + (ShiftJisLastBackslash(work) + 1);
    // A dot is never part of a double-byte character.
    if (char* dot = std::strchr(name, '.')) *dot = '\0';
    CopyShiftJisTruncated(g_programName, sizeof g_programName, name);
    return g_programName;
}
