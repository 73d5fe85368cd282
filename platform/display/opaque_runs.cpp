// Encoding keyed images as opaque runs, and drawing them.
#include "platform/display/opaque_runs.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "platform/display/run_copy.h"

namespace brannock::platform::display {

namespace {

// Images with fewer pixels per run than this on average (one run a row
// aside) are not encoded: copying such short runs is no quicker than
// testing every pixel.
constexpr std::size_t kMinPixelsPerRun = 8;

// A 24-bit pixel as stored: blue, green, red.
struct Pixel24 {
    std::uint8_t c[3];
};
static_assert(sizeof(Pixel24) == 3);

inline std::uint32_t ValueOf(std::uint16_t p) {
    return p;
}
inline std::uint32_t ValueOf(std::uint32_t p) {
    return p;
}
inline std::uint32_t ValueOf(Pixel24 p) {
    return p.c[0] | (p.c[1] << 8) | (static_cast<std::uint32_t>(p.c[2]) << 16);
}

}  // namespace

OpaqueRuns::OpaqueRuns() = default;
OpaqueRuns::~OpaqueRuns() = default;

void OpaqueRuns::Clear() {
    ready_ = false;
    width_ = height_ = 0;
    rowStart_.clear();
    runs_.clear();
    mirrorState_ = MirrorState::kNotMade;
}

const OpaqueRuns::Mirror* OpaqueRuns::MirrorOf(const PixelView& image, const ColourKey& key) {
    if (mirrorState_ == MirrorState::kNotMade) {
        mirrorState_ = MirrorState::kFailed;
        try {
            if (!mirror_) mirror_ = std::make_unique<Mirror>();
            const int bytes = BytesPerPixel(image.format);
            const std::size_t rowBytes = static_cast<std::size_t>(image.width) * bytes;
            mirror_->pixels.resize(rowBytes * image.height);
            for (int y = 0; y < image.height; ++y) {
                const std::uint8_t* from = image.Row(y);
                std::uint8_t* to = mirror_->pixels.data() + rowBytes * y + rowBytes;
                for (int x = 0; x < image.width; ++x) {
                    to -= bytes;
                    std::memcpy(to, from + static_cast<std::ptrdiff_t>(x) * bytes, bytes);
                }
            }
            mirror_->view = {mirror_->pixels.data(),
                             static_cast<std::ptrdiff_t>(rowBytes),
                             image.width,
                             image.height,
                             image.format,
                             image.palette};
            if (mirror_->runs.Build(mirror_->view, key)) mirrorState_ = MirrorState::kMade;
        } catch (const std::bad_alloc&) {
        }
    }
    return mirrorState_ == MirrorState::kMade ? mirror_.get() : nullptr;
}

bool OpaqueRuns::Build(const PixelView& image, const ColourKey& key) {
    Clear();
    if (image.width <= 0 || image.height <= 0 || image.width > 0xFFFF) return false;
    const KeyTest test = KeyTestFor(image.format, key);
    try {
        rowStart_.reserve(static_cast<std::size_t>(image.height) + 1);
        switch (BytesPerPixel(image.format)) {
            case 2:
                Encode<std::uint16_t>(image, test);
                break;
            case 3:
                Encode<Pixel24>(image, test);
                break;
            default:
                Encode<std::uint32_t>(image, test);
                break;
        }
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
    if (rowStart_.size() != static_cast<std::size_t>(image.height) + 1) {
        Clear();  // gave up: the runs are too short
        return false;
    }
    width_ = image.width;
    height_ = image.height;
    format_ = image.format;
    ready_ = true;
    return true;
}

template <class P>
void OpaqueRuns::Encode(const PixelView& image, const KeyTest& key) {
    const std::size_t limit =
        static_cast<std::size_t>(image.width) * image.height / kMinPixelsPerRun + image.height;
    const int width = image.width;
    rowStart_.push_back(0);
    for (int y = 0; y < image.height; ++y) {
        const P* row = reinterpret_cast<const P*>(image.Row(y));
        int x = 0;
        while (x < width) {
            if (key.active) {
                while (x < width && key.Keyed(ValueOf(row[x])))
                    ++x;
            }
            if (x == width) break;
            const int begin = x;
            if (key.active) {
                while (x < width && !key.Keyed(ValueOf(row[x])))
                    ++x;
            } else {
                x = width;
            }
            if (runs_.size() == limit) return;
            runs_.push_back({static_cast<std::uint16_t>(begin), static_cast<std::uint16_t>(x)});
        }
        rowStart_.push_back(static_cast<std::uint32_t>(runs_.size()));
    }
}

namespace {

// Draws the rows of `job` from `runs`, whose kPixel-byte source column sx
// lands at sx + shift; when clipped, only source columns [first, last) are
// drawn.
template <std::size_t kPixel, std::size_t kVector, bool kClipped>
[[gnu::always_inline]] inline void DrawRows(const BlitJob& job, const OpaqueRuns& runs, int first,
                                            int last, int shift) {
    // All the loop reads is held in locals: a store through the target's
    // bytes may alias anything, and fields would be read again after it.
    const RECT& clip = job.clip;
    const RECT& to = job.targetRect;
    const int step = job.mirrorUpDown ? -1 : 1;
    const int sy =
        job.sourceRect.top + (job.mirrorUpDown ? to.bottom - 1 - clip.top : clip.top - to.top);
    const OpaqueRuns::Run* const allRuns = runs.Runs();
    const std::uint32_t* rowStart = runs.RowStarts() + sy;
    const std::uint8_t* source = job.source.Row(sy);
    std::uint8_t* target = job.target.Row(clip.top);
    const std::ptrdiff_t sourcePitch = step * job.source.pitch;
    const std::ptrdiff_t targetPitch = job.target.pitch;
    for (int rows = clip.bottom - clip.top; rows > 0; --rows) {
        const OpaqueRuns::Run* run = allRuns + rowStart[0];
        const OpaqueRuns::Run* const end = allRuns + rowStart[1];
        if constexpr (kClipped) {
            while (run != end && run->end <= first)
                ++run;
        }
        for (; run != end; ++run) {
            int a = run->begin, b = run->end;
            if constexpr (kClipped) {
                if (a >= last) break;
                a = std::max(a, first);
                b = std::min(b, last);
            }
            run_copy::CopyForward<kVector>(target + (shift + a) * kPixel, source + a * kPixel,
                                           static_cast<std::size_t>(b - a) * kPixel);
        }
        rowStart += step;
        source += sourcePitch;
        target += targetPitch;
    }
}

template <std::size_t kPixel, std::size_t kVector>
[[gnu::always_inline]] inline void Draw(const BlitJob& job, const OpaqueRuns& runs) {
    const RECT& to = job.targetRect;
    const RECT& clip = job.clip;
    const RECT& from = job.sourceRect;
    // The source columns the clip lets through.
    const int first = from.left + (clip.left - to.left);
    const int last = from.left + (clip.right - to.left);
    const int shift = to.left - from.left;
    if (first > 0 || last < runs.Width()) {
        DrawRows<kPixel, kVector, true>(job, runs, first, last, shift);
    } else {
        DrawRows<kPixel, kVector, false>(job, runs, first, last, shift);
    }
}

template <std::size_t kVector>
[[gnu::always_inline]] inline void DrawAnyFormat(const BlitJob& job, const OpaqueRuns& runs) {
    switch (BytesPerPixel(job.source.format)) {
        case 2:
            Draw<2, kVector>(job, runs);
            break;
        case 3:
            Draw<3, kVector>(job, runs);
            break;
        default:
            Draw<4, kVector>(job, runs);
            break;
    }
}

// The drawing is built twice on x86-64: for any CPU, and with AVX2's
// 32-byte moves and shuffles for the CPUs that have them.
std::atomic<bool> wideCopiesAllowed{true};

void DrawPortable(const BlitJob& job, const OpaqueRuns& runs) {
    DrawAnyFormat<16>(job, runs);
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target("avx2"))) void DrawAvx2(const BlitJob& job, const OpaqueRuns& runs) {
    DrawAnyFormat<32>(job, runs);
}

void DrawRuns(const BlitJob& job, const OpaqueRuns& runs) {
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    if (hasAvx2 && wideCopiesAllowed.load(std::memory_order_relaxed)) {
        DrawAvx2(job, runs);
    } else {
        DrawPortable(job, runs);
    }
}
#else
void DrawRuns(const BlitJob& job, const OpaqueRuns& runs) {
    DrawPortable(job, runs);
}
#endif

}  // namespace

void AllowWideRunCopies(bool allowed) {
    wideCopiesAllowed.store(allowed, std::memory_order_relaxed);
}

bool BlitRuns(const BlitJob& job, OpaqueRuns& runs) {
    const RECT& to = job.targetRect;
    const RECT& from = job.sourceRect;
    if (!runs.Ready() || runs.Width() != job.source.width || runs.Height() != job.source.height ||
        runs.Format() != job.source.format || job.source.format != job.target.format) {
        return false;
    }
    if (to.right - to.left != from.right - from.left ||
        to.bottom - to.top != from.bottom - from.top) {
        return false;
    }
    if (job.source.bits == job.target.bits) return false;
    if (IsEmpty(job.clip) || IsEmpty(to)) return true;

    if (job.mirrorLeftRight) {
        // Forward from the mirror, where source column x is column
        // width - 1 - x: the same pixels land in the same places.
        const OpaqueRuns::Mirror* mirror = runs.MirrorOf(job.source, job.key);
        if (!mirror) return false;
        BlitJob forward = job;
        forward.source = mirror->view;
        forward.sourceRect = {runs.Width() - from.right, from.top, runs.Width() - from.left,
                              from.bottom};
        forward.mirrorLeftRight = false;
        DrawRuns(forward, mirror->runs);
        return true;
    }
    DrawRuns(job, runs);
    return true;
}

}  // namespace brannock::platform::display
