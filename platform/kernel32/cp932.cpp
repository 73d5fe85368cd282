// Code page 932 conversions through iconv. Each thread keeps its own
// converters, since an iconv descriptor carries state.
#include "platform/kernel32/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace brannock::platform {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

class Converter {
  public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) iconv_close(descriptor_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of `in` as it can, appending to `out`; stops at the
    // first byte it cannot convert and returns the bytes consumed.
    std::size_t ConvertSome(std::string_view in, std::string& out) {
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        for (;;) {
            const std::size_t used = out.size();
            out.resize(used + std::max<std::size_t>(inLeft * 3, 16));
            char* outPtr = out.data() + used;
            std::size_t outLeft = out.size() - used;
            const std::size_t result = iconv(descriptor_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.resize(out.size() - outLeft);
            if (result != static_cast<std::size_t>(-1) || errno != E2BIG) break;
        }
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
        return in.size() - inLeft;
    }

  private:
    iconv_t descriptor_;
};

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Stands in for a converter the C library lacks: ASCII passes, nothing
// else does.
std::size_t CopyAscii(std::string_view text, std::string& out) {
    const auto end = std::find_if(text.begin(), text.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    out.append(text.begin(), end);
    return static_cast<std::size_t>(end - text.begin());
}

// Length of the well-formed UTF-8 sequence at the start of `text`, or 0.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

// Converts `text`, replacing what cannot be converted: `skip` says how many
// bytes a failure at the start of its argument covers.
template <typename Skip>
std::string ConvertAll(Converter& converter, std::string_view text, std::string_view replacement,
                       Skip skip) {
    std::string out;
    out.reserve(text.size() * 3);
    while (!text.empty()) {
        const std::size_t consumed =
            converter.Valid() ? converter.ConvertSome(text, out) : CopyAscii(text, out);
        text.remove_prefix(consumed);
        if (text.empty()) break;
        out += replacement;
        text.remove_prefix(std::min(text.size(), std::max<std::size_t>(skip(text), 1)));
    }
    return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    thread_local Converter converter("UTF-8", "CP932");
    // One replacement per undecodable byte, so a bad lead byte does not
    // swallow the character after it.
    return ConvertAll(converter, text, kReplacementCharacter, [](std::string_view) { return 1; });
}

std::string Utf8ToCp932(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    thread_local Converter converter("CP932", "UTF-8");
    // A valid character CP932 lacks is skipped whole; a bad byte alone.
    return ConvertAll(converter, text, "?", Utf8SequenceLength);
}

}  // namespace brannock::platform
