// CTextReader: reads a line-oriented definition file, classifies its lines
// and hands every meaningful one to a virtual handler. It gives no line a
// meaning of its own; derived classes (CSpriteSet) do.
//
// Line kinds, decided by the first character after blank removal:
//   nothing, '/' or ';'  blank or comment, ignored
//   '&'                  directive -> OnDirective(text after the '&')
//   '[' NAME ']'         section   -> OnSection(NAME)
//   anything else        -> OnLine(line)
// Blanks are the space and the backspace byte (0x08), never the tab. Bytes
// outside ASCII (Shift-JIS comments) pass through untouched.
#pragma once

#include <cstddef>

class CTextReader {
  public:
    // A read takes at most this many bytes plus the terminator; a longer
    // line arrives in pieces, each classified as a line of its own.
    static constexpr int kMaxLineBytes = 254;
    // Entries of the field table that SplitFields returns.
    static constexpr int kFieldCount = 30;

    CTextReader() = default;

    // Reads the file at `path` (Windows-style paths are accepted everywhere)
    // and dispatches its lines in file order. With `strip` on, all blanks
    // are removed from a line before it is classified (directives excepted,
    // they keep their inner blanks as separators). With `strip` off, a line
    // only loses its leading blanks and its line end.
    // Returns false, calling no handler, when the path is null or empty or
    // the file cannot be opened; a read error ends reading like end of file.
    bool Load(const char* path, bool strip);

    // The same from a block of bytes in memory, read exactly as a file with
    // that content would be. Returns false only when `data` is null.
    bool LoadFromMemory(const char* data, std::size_t size, bool strip);

    // --- Line operations (used by Load and by derived handlers) ---

    // Skips leading blanks and cuts the text at its first CR or LF; returns
    // the first non-blank byte.
    static char* TrimLine(char* line);
    // Removes every blank in place; the line ends at its first CR or LF.
    static void StripBlanks(char* line);
    // Ends the line at the first occurrence of `c` (every occurrence is
    // overwritten with the terminator).
    static void CutAt(char* line, char c);
    // Raises a..z to A..Z outside double quotes, up to a ';' or "//" that
    // stands outside quotes. A letter next to a byte of 0x7F or above (the
    // following byte, or for the last letter the preceding one) is left
    // alone, so Shift-JIS double-byte characters are never altered.
    static void UpperCase(char* text);
    // Cuts the line in place at every ',' and space and returns the field
    // table: kFieldCount entries pointing into the line, null after the last
    // field. After 29 separators the rest of the line is the last field.
    // The table is shared by every reader on the calling thread and is
    // overwritten by the next call.
    static char** SplitFields(char* line);

    // --- Toolbox for other definition formats ---
    // Output buffers belong to the caller. A buffer as large as the input
    // text (its length plus one) is always large enough.

    // Splits at '=' or ',' into up to five buffers, in order. A ';' or "//"
    // ends the text (the caller's text is cut there). A null buffer takes no
    // field: from there on separators are ordinary text.
    static void SplitToBuffers(char* text, char* out0, char* out1, char* out2, char* out3,
                               char* out4);
    // The same split into `count` buffers placed every `stride` bytes in
    // `out`. Every buffer is emptied first; a field longer than stride - 1
    // bytes is cut to fit.
    static void SplitToArray(char* text, char* out, int count, int stride);
    // First byte that is not a space (0x20).
    static char* SkipSpaces(char* text);
    // Splits at `separator` into up to five buffers, with SplitToBuffers'
    // comment and null-buffer rules. Leading separators of a field are not
    // copied; after a space separator the run of spaces that follows is
    // skipped.
    static void SplitBy(char* text, char separator, char* out0, char* out1, char* out2, char* out3,
                        char* out4);
    // Splits at the first `separator` found after the leading spaces: what
    // precedes it goes to `first`, what follows to `second` (spaces after a
    // space separator skipped). A ';' or "//" before any separator ends the
    // text, which then goes, if not empty, into `first`.
    static void SplitOnce(char* text, char separator, char* first, char* second);
    // Pointer just behind the n-th `c` in the text, null if there are fewer.
    // For n of 0 or less, the text itself.
    static char* FindAfterNth(char* text, char c, int n);
    // Copies `text` into `out`, without its first and last character when it
    // starts with '"'.
    static void Unquote(char* out, const char* text);
    // A copy of `text` without '"', '(' and ')', in a buffer shared by the
    // calling thread's callers and valid until the next call.
    static const char* RemoveQuotesAndParens(const char* text);
    // True when the file name contains a '.'.
    static bool HasExtension(const char* name);
    // The text after the last '.', upper-cased (empty when there is no '.'),
    // in a shared buffer valid until the next call on the calling thread.
    static const char* GetExtension(const char* name);
    // Appends "." and `extension` to a name without a '.'; `name` needs room
    // for them. Returns `name`.
    static char* AddExtension(char* name, const char* extension);

  protected:
    // The three handlers, called only by Load, in file order. Each gets a
    // writable, NUL-terminated buffer that lives for the call only.
    virtual void OnDirective(char* text);
    virtual void OnLine(char* line);
    virtual void OnSection(char* name);

  public:
    // Declared after the handlers so that they keep the first three slots
    // of the virtual table.
    virtual ~CTextReader() = default;

  private:
    // Classifies one line as read and calls its handler. `copy` is scratch
    // space as large as `line`.
    void DispatchLine(char* line, char* copy, bool strip);
};
