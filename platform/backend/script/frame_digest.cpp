#include "platform/backend/script/frame_digest.h"

#include <cerrno>
#include <cinttypes>
#include <cstring>

namespace brannock::platform::script {
namespace {

constexpr std::uint64_t kOffsetBasis = 0xcbf29ce484222325ull;
constexpr std::uint64_t kPrime = 0x100000001b3ull;

std::uint64_t Mix(std::uint64_t hash, std::uint32_t word) {
    return (hash ^ word) * kPrime;
}

}  // namespace

std::uint64_t DigestOf(const display::HostImage& image) {
    std::uint64_t hash = kOffsetBasis;
    hash = Mix(hash, static_cast<std::uint32_t>(image.width));
    hash = Mix(hash, static_cast<std::uint32_t>(image.height));
    for (const std::uint32_t pixel : image.pixels)
        hash = Mix(hash, pixel & 0xFFFFFFu);
    return hash;
}

std::unique_ptr<DigestWriter> DigestWriter::Open(const Settings& settings) {
    const std::string& where = settings.digests;
    if (where.empty()) return nullptr;
    const bool savedOnly = settings.digestSavedFramesOnly;
    if (where == "stdout")
        return std::unique_ptr<DigestWriter>(new DigestWriter(stdout, false, savedOnly));
    if (where == "stderr")
        return std::unique_ptr<DigestWriter>(new DigestWriter(stderr, false, savedOnly));
    const std::string path = PathFromStart(settings, where);
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        std::fprintf(stderr, "brannock: cannot write frame digests to %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return nullptr;
    }
    return std::unique_ptr<DigestWriter>(new DigestWriter(file, true, savedOnly));
}

DigestWriter::DigestWriter(std::FILE* out, bool owned, bool savedFramesOnly)
    : out_(out), owned_(owned), savedFramesOnly_(savedFramesOnly) {}

DigestWriter::~DigestWriter() {
    if (owned_) std::fclose(out_);
}

void DigestWriter::FrameShown(long long frame) {
    if (savedFramesOnly_) return;
    std::lock_guard lock(mutex_);
    display::ReadScreenPixels(screen_);
    Write(frame, screen_);
}

void DigestWriter::FrameSaved(long long frame, const display::HostImage& image) {
    if (!savedFramesOnly_) return;
    std::lock_guard lock(mutex_);
    Write(frame, image);
}

void DigestWriter::Write(long long frame, const display::HostImage& image) {
    // Flushed at once: the program may end without a word.
    std::fprintf(out_, "frame %lld %016" PRIx64 "\n", frame, DigestOf(image));
    std::fflush(out_);
}

}  // namespace brannock::platform::script
