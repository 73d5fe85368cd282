// Opening the files the sprite subsystem reads, named the Windows way
// ("image\name.bmp") on every platform.
#pragma once

#include <cstdio>
#include <memory>

namespace brannock::sprite {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens `path` for reading bytes; null when it cannot be opened or names a
// folder.
FileHandle OpenForReading(const char* path);

}  // namespace brannock::sprite
