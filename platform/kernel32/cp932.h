// Code page 932 (Shift-JIS as Windows has it), the code page of the "A"
// functions, to and from the UTF-8 that host window systems take.
#pragma once

#include <string>
#include <string_view>

namespace brannock::platform {

// Never fails: a byte sequence that is not valid code page 932 becomes
// U+FFFD, one per undecodable byte.
std::string Cp932ToUtf8(std::string_view text);

// Never fails: a character code page 932 lacks, or an invalid UTF-8 byte,
// becomes '?', as WideCharToMultiByte's default character.
std::string Utf8ToCp932(std::string_view text);

}  // namespace brannock::platform
