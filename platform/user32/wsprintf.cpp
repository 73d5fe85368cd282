// wsprintfA: Windows' own small formatter. Conversions d i u x X s c and %%,
// flags '-' (left-align), '0' (zero-pad) and '#' (0x prefix), a width, a
// precision, and the size prefixes h, l (32 bits: a LONG, whatever the host's
// long), I (pointer-sized) and I64. No floating point. The output,
// terminator included, never exceeds 1024 bytes.
#include <cstdarg>
#include <cstring>

#include "platform/win32.h"

namespace {

constexpr std::size_t kLimit = 1024;

class Output {
  public:
    explicit Output(char* buffer) : buffer_(buffer) {}
    void Put(char c) {
        if (length_ < kLimit - 1) buffer_[length_++] = c;
    }
    void Repeat(char c, int count) {
        for (int i = 0; i < count; ++i)
            Put(c);
    }
    int Finish() {
        buffer_[length_] = '\0';
        return static_cast<int>(length_);
    }

  private:
    char* buffer_;
    std::size_t length_ = 0;
};

struct Conversion {
    bool left = false;
    bool zero = false;
    bool prefix = false;
    int width = 0;
    int precision = -1;
};

// Writes `body` (already converted) with sign / prefix, padding and the
// precision's minimum digits.
void Emit(Output& out, const Conversion& conversion, const char* sign, const char* digits,
          int length) {
    const int zeros = conversion.precision > length ? conversion.precision - length : 0;
    const int total = static_cast<int>(std::strlen(sign)) + zeros + length;
    const int pad = conversion.width > total ? conversion.width - total : 0;
    const bool zeroPad = conversion.zero && !conversion.left && conversion.precision < 0;
    if (!conversion.left && !zeroPad) out.Repeat(' ', pad);
    for (const char* p = sign; *p; ++p)
        out.Put(*p);
    if (zeroPad) out.Repeat('0', pad);
    out.Repeat('0', zeros);
    for (int i = 0; i < length; ++i)
        out.Put(digits[i]);
    if (conversion.left) out.Repeat(' ', pad);
}

void Number(Output& out, Conversion conversion, unsigned long long value, bool negative, int base,
            bool upper) {
    // A number's precision of 0 (or none after the dot) still means one digit.
    if (conversion.precision == 0) conversion.precision = 1;
    char digits[32];
    int length = 0;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        digits[length++] = set[value % static_cast<unsigned>(base)];
        value /= static_cast<unsigned>(base);
    } while (value);
    char ordered[32];
    for (int i = 0; i < length; ++i)
        ordered[i] = digits[length - 1 - i];
    const char* sign = negative ? "-" : "";
    if (base == 16 && conversion.prefix && length > 0) sign = upper ? "0X" : "0x";
    Emit(out, conversion, sign, ordered, length);
}

int ReadNumber(const char*& p) {
    int value = 0;
    while (*p >= '0' && *p <= '9') {
        if (value < static_cast<int>(kLimit)) value = value * 10 + (*p - '0');
        ++p;
    }
    return value;
}

}  // namespace

int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    if (!buffer) return 0;
    Output out(buffer);
    if (!format) return out.Finish();
    va_list args;
    va_start(args, format);
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            out.Put(*p);
            continue;
        }
        ++p;
        Conversion conversion;
        for (;; ++p) {
            if (*p == '-')
                conversion.left = true;
            else if (*p == '0')
                conversion.zero = true;
            else if (*p == '#')
                conversion.prefix = true;
            else
                break;
        }
        conversion.width = ReadNumber(p);
        if (*p == '.') {
            ++p;
            conversion.precision = ReadNumber(p);
        }
        // Only I64 and I (on 64-bit Windows) take 64-bit arguments; l and h
        // take an int-sized one, as a LONG is.
        bool wide = false;
        if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
            wide = true;
            p += 3;
        } else if (*p == 'I') {
            wide = sizeof(void*) == 8;
            ++p;
        } else if (*p == 'l' || *p == 'h') {
            ++p;
        }
        switch (*p) {
            case 'd':
            case 'i': {
                const long long v = wide ? va_arg(args, long long) : va_arg(args, int);
                const unsigned long long magnitude = v < 0
                                                         ? 0ull - static_cast<unsigned long long>(v)
                                                         : static_cast<unsigned long long>(v);
                Number(out, conversion, magnitude, v < 0, 10, false);
                break;
            }
            case 'u':
            case 'x':
            case 'X': {
                const unsigned long long v =
                    wide ? va_arg(args, unsigned long long) : va_arg(args, unsigned int);
                Number(out, conversion, v, false, *p == 'u' ? 10 : 16, *p == 'X');
                break;
            }
            case 'c': {
                const char c = static_cast<char>(va_arg(args, int));
                Emit(out, Conversion{conversion.left, false, false, conversion.width, -1}, "", &c,
                     1);
                break;
            }
            case 's': {
                const char* s = va_arg(args, const char*);
                if (!s) s = "(null)";
                int length = 0;
                while (s[length] && (conversion.precision < 0 || length < conversion.precision) &&
                       length < static_cast<int>(kLimit))
                    ++length;
                Emit(out, Conversion{conversion.left, false, false, conversion.width, -1}, "", s,
                     length);
                break;
            }
            case '%':
                out.Put('%');
                break;
            case '\0':
                // A format cut off at the end of the string prints nothing.
                --p;
                break;
            default:
                // An unknown conversion is copied literally.
                out.Put(*p);
                break;
        }
    }
    va_end(args);
    return out.Finish();
}
