// Conversion between Windows-style paths and host paths. The host file
// system appears as drive Z:, as under Wine.
#pragma once

#include <string>
#include <string_view>

namespace brannock::platform {

// "image\a.bmp" -> "image/a.bmp"; "Z:\home\me" -> "/home/me"; "z:" -> "/".
// Other drive letters are left in place ("C:\x" -> "C:/x"), which names no
// host file, so opening it fails plainly.
std::string ToHostPath(std::string_view windowsPath);

// "/home/me/Debug" -> "Z:\home\me\Debug"; "a/b" -> "a\b".
std::string ToWindowsPath(std::string_view hostPath);

}  // namespace brannock::platform
