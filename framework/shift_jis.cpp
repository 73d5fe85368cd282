#include "framework/shift_jis.h"

#include <cstring>

namespace {

// Width in bytes of the character starting at text[0]; a lead byte at the
// end of the string counts alone.
std::size_t CharWidth(const char* text) {
    return IsShiftJisLeadByte(static_cast<unsigned char>(text[0])) && text[1] != '\0' ? 2 : 1;
}

}  // namespace

std::size_t ShiftJisPrefixLength(const char* text, std::size_t maxBytes) {
    std::size_t length = 0;
    while (text[length] != '\0') {
        const std::size_t width = CharWidth(text + length);
        if (length + width > maxBytes) break;
        length += width;
    }
    return length;
}

std::ptrdiff_t ShiftJisLastBackslash(const char* text) {
    std::ptrdiff_t last = -1;
    for (std::ptrdiff_t i = 0; text[i] != '\0';
         i += static_cast<std::ptrdiff_t>(CharWidth(text + i)))
        if (text[i] == '\\') last = i;
    return last;
}

void CopyShiftJisTruncated(char* destination, std::size_t size, const char* source) {
    if (size == 0) return;
    const std::size_t length = ShiftJisPrefixLength(source, size - 1);
    std::memmove(destination, source, length);
    destination[length] = '\0';
}
