// The current directory, seen in Windows form.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/kernel32/host_path.h"
#include "platform/kernel32/kernel32.h"

DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
    std::string host(256, '\0');
    while (getcwd(host.data(), host.size()) == nullptr) {
        if (errno != ERANGE) return 0;
        host.resize(host.size() * 2);
    }
    host.resize(std::strlen(host.c_str()));
    const std::string path = brannock::platform::ToWindowsPath(host);
    if (lpBuffer == nullptr || path.size() >= nBufferLength)
        return static_cast<DWORD>(path.size() + 1);
    std::memcpy(lpBuffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
    if (lpPathName == nullptr || *lpPathName == '\0') return FALSE;
    return chdir(brannock::platform::ToHostPath(lpPathName).c_str()) == 0 ? TRUE : FALSE;
}
