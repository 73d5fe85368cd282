// Byte-level helpers for Shift-JIS (code page 932) text, the framework's
// narrow text encoding.
#pragma once

#include <cstddef>

// True for the first byte of a double-byte character.
constexpr bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The length of the longest prefix of text (a NUL-terminated string) that
// fits in maxBytes bytes without splitting a double-byte character.
std::size_t ShiftJisPrefixLength(const char* text, std::size_t maxBytes);

// The offset of the last path separator (backslash) in text, or -1. The
// second byte of a double-byte character may be 0x5C and is not a separator.
std::ptrdiff_t ShiftJisLastBackslash(const char* text);

// Copies the longest whole-character prefix of source that fits in
// destination (whose size includes the terminator) and terminates it.
void CopyShiftJisTruncated(char* destination, std::size_t size, const char* source);
