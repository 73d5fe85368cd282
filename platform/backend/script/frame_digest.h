// Frame digests: a 64-bit FNV-1a hash of the screen's width, height and
// pixels (0x00RRGGBB words, rows from the top), so that two runs can be
// compared frame by frame without storing images. Written one line a frame,
// "frame N HHHHHHHHHHHHHHHH", where BRANNOCK_DIGESTS says.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>

#include "platform/backend/settings.h"
#include "platform/display/host_image.h"

namespace brannock::platform::script {

std::uint64_t DigestOf(const display::HostImage& image);

class DigestWriter {
  public:
    // Null when no digests are asked for, or (reported on stderr) when their
    // file cannot be written.
    static std::unique_ptr<DigestWriter> Open(const Settings& settings);
    ~DigestWriter();
    DigestWriter(const DigestWriter&) = delete;
    DigestWriter& operator=(const DigestWriter&) = delete;

    // A frame was shown: its line, unless only saved frames get one.
    void FrameShown(long long frame);
    // A frame was saved, as `image`: its line, when only saved frames get one.
    void FrameSaved(long long frame, const display::HostImage& image);

  private:
    DigestWriter(std::FILE* out, bool owned, bool savedFramesOnly);
    void Write(long long frame, const display::HostImage& image);

    std::FILE* const out_;
    const bool owned_;
    const bool savedFramesOnly_;
    std::mutex mutex_;
    display::HostImage screen_;  // kept, so a frame allocates nothing
};

}  // namespace brannock::platform::script
