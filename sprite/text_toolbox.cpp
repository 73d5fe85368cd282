// CTextReader's toolbox for definition formats other than sprite files:
// key/value splitting, quoted texts and file-name extensions.
#include <algorithm>
#include <cstring>
#include <string>

#include "sprite/text_reader.h"

namespace {

constexpr int kSplitOutputs = 5;

// A ';' or "//" starts a remark that runs to the end of the text.
bool IsRemarkAt(const char* p) {
    return p[0] == ';' || (p[0] == '/' && p[1] == '/');
}

bool IsKeySeparator(char c) {
    return c == '=' || c == ',';
}

void Clear(char* const (&outputs)[kSplitOutputs]) {
    for (char* out : outputs) {
        if (out != nullptr) out[0] = '\0';
    }
}

void CopyRange(char* out, const char* begin, const char* end) {
    const std::size_t length = static_cast<std::size_t>(end - begin);
    std::memcpy(out, begin, length);
    out[length] = '\0';
}

// Copies at most `room` - 1 bytes of [begin, end) and terminates.
void CopyRangeBounded(char* out, std::size_t room, const char* begin, const char* end) {
    const std::size_t length = std::min(static_cast<std::size_t>(end - begin), room - 1);
    std::memcpy(out, begin, length);
    out[length] = '\0';
}

}  // namespace

void CTextReader::SplitToBuffers(char* text, char* out0, char* out1, char* out2, char* out3,
                                 char* out4) {
    char* const outputs[kSplitOutputs] = {out0, out1, out2, out3, out4};
    Clear(outputs);
    if (text == nullptr) return;

    int field = 0;
    char* start = text;
    for (char* p = text; *p != '\0'; ++p) {
        if (IsKeySeparator(*p) && outputs[field] != nullptr) {
            CopyRange(outputs[field], start, p);
            start = p + 1;
            if (++field == kSplitOutputs) return;
        } else if (IsRemarkAt(p)) {
            *p = '\0';
            break;
        }
    }
    if (outputs[field] != nullptr && *start != '\0') std::strcpy(outputs[field], start);
}

void CTextReader::SplitToArray(char* text, char* out, int count, int stride) {
    if (out == nullptr || count <= 0 || stride <= 0) return;
    const std::size_t room = static_cast<std::size_t>(stride);
    auto buffer = [&](int i) { return out + static_cast<std::size_t>(i) * room; };
    for (int i = 0; i < count; ++i)
        buffer(i)[0] = '\0';
    if (text == nullptr) return;

    int field = 0;
    char* start = text;
    for (char* p = text; *p != '\0'; ++p) {
        if (IsKeySeparator(*p)) {
            CopyRangeBounded(buffer(field), room, start, p);
            start = p + 1;
            if (++field == count) return;
        } else if (IsRemarkAt(p)) {
            *p = '\0';
            break;
        }
    }
    if (*start != '\0') CopyRangeBounded(buffer(field), room, start, start + std::strlen(start));
}

char* CTextReader::SkipSpaces(char* text) {
    if (text == nullptr) return text;
    while (*text == ' ')
        ++text;
    return text;
}

void CTextReader::SplitBy(char* text, char separator, char* out0, char* out1, char* out2,
                          char* out3, char* out4) {
    char* const outputs[kSplitOutputs] = {out0, out1, out2, out3, out4};
    Clear(outputs);
    if (text == nullptr) return;

    // A field's leading separators (the text's leading spaces, when splitting
    // at spaces) are not part of it.
    auto fieldStart = [separator](char* start, const char* end) {
        while (start < end && *start == separator)
            ++start;
        return start;
    };

    int field = 0;
    char* start = text;
    char* p = SkipSpaces(text);
    for (; *p != '\0'; ++p) {
        if (*p == separator && outputs[field] != nullptr) {
            CopyRange(outputs[field], fieldStart(start, p), p);
            start = p + 1;
            if (separator == ' ') start = SkipSpaces(start);
            if (++field == kSplitOutputs) return;
            p = start - 1;
        } else if (IsRemarkAt(p)) {
            *p = '\0';
            break;
        }
    }
    char* const rest = fieldStart(start, p);
    if (outputs[field] != nullptr && *rest != '\0') std::strcpy(outputs[field], rest);
}

void CTextReader::SplitOnce(char* text, char separator, char* first, char* second) {
    if (first != nullptr) first[0] = '\0';
    if (second != nullptr) second[0] = '\0';
    if (text == nullptr) return;

    for (char* p = SkipSpaces(text); *p != '\0'; ++p) {
        if (*p == separator) {
            if (first != nullptr) CopyRange(first, text, p);
            char* rest = p + 1;
            if (separator == ' ') rest = SkipSpaces(rest);
            if (second != nullptr) std::strcpy(second, rest);
            return;
        }
        if (IsRemarkAt(p)) {
            *p = '\0';
            break;
        }
    }
    if (first != nullptr) std::strcpy(first, text);
}

char* CTextReader::FindAfterNth(char* text, char c, int n) {
    if (text == nullptr || c == '\0') return nullptr;
    if (n <= 0) return text;
    for (char* p = text; *p != '\0'; ++p) {
        if (*p == c && --n == 0) return p + 1;
    }
    return nullptr;
}

void CTextReader::Unquote(char* out, const char* text) {
    if (out == nullptr) return;
    if (text == nullptr) {
        out[0] = '\0';
        return;
    }
    if (text[0] != '"') {
        std::strcpy(out, text);
        return;
    }
    const std::size_t length = std::strlen(text);
    if (length < 2) {
        out[0] = '\0';
        return;
    }
    CopyRange(out, text + 1, text + length - 1);
}

const char* CTextReader::RemoveQuotesAndParens(const char* text) {
    if (text == nullptr) return nullptr;
    thread_local std::string cleaned;
    cleaned.clear();
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p != '"' && *p != '(' && *p != ')') cleaned.push_back(*p);
    }
    return cleaned.c_str();
}

bool CTextReader::HasExtension(const char* name) {
    return name != nullptr && std::strchr(name, '.') != nullptr;
}

const char* CTextReader::GetExtension(const char* name) {
    thread_local std::string extension;
    extension.clear();
    const char* const dot = name != nullptr ? std::strrchr(name, '.') : nullptr;
    if (dot == nullptr) return extension.c_str();
    for (const char* p = dot + 1; *p != '\0'; ++p) {
        extension.push_back(*p >= 'a' && *p <= 'z' ? static_cast<char>(*p - ('a' - 'A')) : *p);
    }
    return extension.c_str();
}

char* CTextReader::AddExtension(char* name, const char* extension) {
    if (name == nullptr || HasExtension(name)) return name;
    std::strcat(name, ".");
    if (extension != nullptr) std::strcat(name, extension);
    return name;
}
