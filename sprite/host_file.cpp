#include "sprite/host_file.h"

#ifndef _WIN32
#include <sys/stat.h>

#include <string>

#include "platform/kernel32/host_path.h"
#endif

namespace brannock::sprite {

FileHandle OpenForReading(const char* path) {
#ifdef _WIN32
    return FileHandle(std::fopen(path, "rb"));
#else
    // Definition files name their paths with backslashes and drive letters;
    // the platform layer maps them onto the host's file system.
    const std::string hostPath = brannock::platform::ToHostPath(path);
    FileHandle file(std::fopen(hostPath.c_str(), "rb"));
    // POSIX opens a folder for reading; Windows refuses to. Refuse it here
    // too, so a folder never reads as an empty file.
    struct stat info;
    if (file && (fstat(fileno(file.get()), &info) != 0 || S_ISDIR(info.st_mode))) file.reset();
    return file;
#endif
}

}  // namespace brannock::sprite
