#include "platform/kernel32/host_path.h"

namespace brannock::platform {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

std::string ToHostPath(std::string_view windowsPath) {
    std::string host;
    host.reserve(windowsPath.size() + 1);
    if (windowsPath.size() >= 2 && (windowsPath[0] == 'Z' || windowsPath[0] == 'z') &&
        windowsPath[1] == ':') {
        windowsPath.remove_prefix(2);
        // "Z:\x" and "Z:" are rooted; "Z:x" is relative to the current
        // directory of drive Z:, which is the current directory.
        if (windowsPath.empty() || IsSeparator(windowsPath.front())) host = '/';
        while (!windowsPath.empty() && IsSeparator(windowsPath.front()))
            windowsPath.remove_prefix(1);
    }
    for (char c : windowsPath)
        host += c == '\\' ? '/' : c;
    return host;
}

std::string ToWindowsPath(std::string_view hostPath) {
    std::string windows;
    windows.reserve(hostPath.size() + 2);
    if (!hostPath.empty() && hostPath.front() == '/') windows = "Z:";
    for (char c : hostPath)
        windows += c == '/' ? '\\' : c;
    return windows;
}

}  // namespace brannock::platform
