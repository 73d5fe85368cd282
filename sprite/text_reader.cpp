#include "sprite/text_reader.h"

#include <cstring>

#include "sprite/host_file.h"

namespace {

// The line and its trimmed copy each live in a buffer of this size; a read
// never fills more than kMaxLineBytes + 1 of it.
constexpr int kLineBufferSize = 300;
constexpr int kReadLimit = CTextReader::kMaxLineBytes + 1;
static_assert(kReadLimit <= kLineBufferSize);

// Reads one line from memory the way fgets reads one from a file: it stops
// after a LF, after limit - 1 bytes or at the end of the data, keeps the LF
// and terminates the buffer. Returns false when nothing was left to read.
bool ReadMemoryLine(const char*& cursor, const char* end, char* buffer, int limit) {
    if (cursor == end) return false;
    int count = 0;
    while (count < limit - 1 && cursor != end) {
        const char c = *cursor++;
        buffer[count++] = c;
        if (c == '\n') break;
    }
    buffer[count] = '\0';
    return true;
}

}  // namespace

void CTextReader::OnDirective(char*) {}
void CTextReader::OnLine(char*) {}
void CTextReader::OnSection(char*) {}

bool CTextReader::Load(const char* path, bool strip) {
    if (path == nullptr || path[0] == '\0') return false;
    const brannock::sprite::FileHandle file = brannock::sprite::OpenForReading(path);
    if (!file) return false;

    char line[kLineBufferSize];
    char copy[kLineBufferSize];
    for (;;) {
        line[0] = '\0';
        // A read error ends the file like its end does.
        if (std::fgets(line, kReadLimit, file.get()) == nullptr) break;
        DispatchLine(line, copy, strip);
    }
    return true;
}

bool CTextReader::LoadFromMemory(const char* data, std::size_t size, bool strip) {
    if (data == nullptr) return false;
    const char* cursor = data;
    const char* const end = data + size;

    char line[kLineBufferSize];
    char copy[kLineBufferSize];
    while (ReadMemoryLine(cursor, end, line, kReadLimit))
        DispatchLine(line, copy, strip);
    return true;
}

void CTextReader::DispatchLine(char* line, char* copy, bool strip) {
    // Directives are handed over from a copy that keeps its inner blanks,
    // since a blank separates a directive's keyword from its argument.
    std::strcpy(copy, line);
    char* const trimmed = TrimLine(copy);
    if (strip) {
        StripBlanks(line);
    } else {
        line = trimmed;
    }

    switch (line[0]) {
        case '\0':
        case '/':
        case ';':
            return;
        case '&':
            OnDirective(trimmed + 1);
            return;
        case '[':
            CutAt(line, ']');
            OnSection(line + 1);
            return;
        default:
            OnLine(line);
            return;
    }
}
