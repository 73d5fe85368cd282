// A colour-keyed image as the runs of opaque pixels in each of its rows,
// which is all a keyed blit has to copy. Built once for an image's pixels
// and key, it lets a blit copy whole runs without reading the target or
// testing a pixel. A left-right mirrored draw copies forward too, from a
// mirrored copy of the image made at the first such draw.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/display/blit.h"
#include "platform/display/pixel_buffer.h"

namespace brannock::platform::display {

class OpaqueRuns {
  public:
    // Source columns [begin, end) of one row.
    struct Run {
        std::uint16_t begin;
        std::uint16_t end;
    };

    OpaqueRuns();
    ~OpaqueRuns();
    OpaqueRuns(const OpaqueRuns&) = delete;
    OpaqueRuns& operator=(const OpaqueRuns&) = delete;

    // The image mirrored left to right, and its runs.
    struct Mirror;

    // Encodes `image` under `key`, reusing the memory of an earlier
    // encoding. False, and nothing encoded, when the image does not pay for
    // it (runs so short that testing pixels is as quick) or cannot be
    // encoded (wider than a run can say, out of memory).
    bool Build(const PixelView& image, const ColourKey& key);
    void Clear();
    // True when Build succeeded and nothing was cleared since.
    bool Ready() const { return ready_; }

    // What was encoded: its size and format, and every row's runs left to
    // right, row y's being Runs()[RowStarts()[y]] up to Runs()[RowStarts()[y + 1]].
    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    const Run* Runs() const { return runs_.data(); }
    const std::uint32_t* RowStarts() const { return rowStart_.data(); }

    // The mirror of `image`, the image these runs were built from under
    // `key`: made at the first call after a Build, null when it cannot be
    // (out of memory).
    const Mirror* MirrorOf(const PixelView& image, const ColourKey& key);

  private:
    template <class P>
    void Encode(const PixelView& image, const KeyTest& key);

    bool ready_ = false;
    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::kXrgb8888;
    std::vector<std::uint32_t> rowStart_;
    std::vector<Run> runs_;
    enum class MirrorState { kNotMade, kMade, kFailed };
    MirrorState mirrorState_ = MirrorState::kNotMade;
    std::unique_ptr<Mirror> mirror_;  // kept across Builds for its memory
};

struct OpaqueRuns::Mirror {
    std::vector<std::uint8_t> pixels;
    PixelView view;  // of `pixels`
    OpaqueRuns runs;
};

// Draws `job` as Blit would, taking the source's pixels and key from `runs`,
// which must have been built from job.source under job.key. False, with
// nothing drawn, for what the runs cannot do: a stretch, a change of format,
// a source sharing memory with the target, runs not built from an image of
// the source's size and format; the caller then uses Blit. A left-right
// mirrored draw makes the runs' mirror if they have none yet.
bool BlitRuns(const BlitJob& job, OpaqueRuns& runs);

// BlitRuns copies with the widest vectors the CPU has. Tests turn that off
// (and on again) to check on one machine the copies every CPU can make.
void AllowWideRunCopies(bool allowed);

}  // namespace brannock::platform::display
