// The line operations of CTextReader: trimming, blank removal, cutting,
// upper-casing and field splitting, all in place.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "sprite/text_reader.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\b';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsSingleByte(char c) {
    return static_cast<unsigned char>(c) < 0x7F;
}
char Raised(char c) {
    return static_cast<char>(c - ('a' - 'A'));
}

}  // namespace

char* CTextReader::TrimLine(char* line) {
    while (IsBlank(*line))
        ++line;
    for (char* p = line; *p != '\0'; ++p) {
        if (IsLineEnd(*p)) {
            *p = '\0';
            break;
        }
    }
    return line;
}

void CTextReader::StripBlanks(char* line) {
    char* out = line;
    for (const char* in = line; *in != '\0' && !IsLineEnd(*in); ++in) {
        if (!IsBlank(*in)) *out++ = *in;
    }
    *out = '\0';
}

void CTextReader::CutAt(char* line, char c) {
    char* const end = line + std::strlen(line);
    std::replace(line, end, c, '\0');
}

void CTextReader::UpperCase(char* text) {
    const std::size_t length = std::strlen(text);
    if (length == 0) return;

    bool quoted = false;
    for (std::size_t i = 0; i + 1 < length; ++i) {
        const char c = text[i];
        const char next = text[i + 1];
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (IsLower(c) && IsSingleByte(c) && IsSingleByte(next)) text[i] = Raised(c);
        // The rest of the line is a remark and keeps its case.
        if (c == ';' || (c == '/' && next == '/')) return;
    }

    char& last = text[length - 1];
    const bool neighbourSingle = length == 1 || IsSingleByte(text[length - 2]);
    if (!quoted && IsLower(last) && neighbourSingle) last = Raised(last);
}

char** CTextReader::SplitFields(char* line) {
    thread_local char* fields[kFieldCount];
    std::fill(std::begin(fields), std::end(fields), nullptr);

    fields[0] = line;
    int count = 1;
    for (char* p = line; *p != '\0' && count < kFieldCount; ++p) {
        if (*p == ',' || *p == ' ') {
            *p = '\0';
            fields[count++] = p + 1;
        }
    }
    return fields;
}
