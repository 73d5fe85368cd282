// Drawing colour-keyed images from their opaque runs: pixel for pixel what
// the per-pixel keyed blit draws, over random images, keys, key ranges,
// rectangles, clips and mirrors at 16, 24 and 32 bits; and the jobs the runs
// leave to that blit.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/display/blit.h"
#include "platform/display/opaque_runs.h"

namespace {

using namespace brannock::platform::display;

// Pixel memory of a given format, rows padded as PixelBuffer pads them.
struct Image {
    Image(int width, int height, PixelFormat format)
        : pitch((width * BytesPerPixel(format) + 3) & ~3), bytes(pitch * height) {
        view = {bytes.data(), pitch, width, height, format};
    }
    Image(const Image& other) : pitch(other.pitch), bytes(other.bytes), view(other.view) {
        view.bits = bytes.data();
    }

    std::uint32_t Get(int x, int y) const { return ReadPixel(view.format, view.At(x, y)); }
    void Set(int x, int y, std::uint32_t value) { WritePixel(view.format, view.At(x, y), value); }

    std::ptrdiff_t pitch;
    std::vector<std::uint8_t> bytes;
    PixelView view;
};

class Random {
  public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}
    // Uniform in [low, high]; mt19937's output is the same everywhere.
    int In(int low, int high) {
        return low + static_cast<int>(engine_() % static_cast<std::uint32_t>(high - low + 1));
    }
    std::uint32_t Bits() { return engine_(); }
    bool OneIn(int n) { return In(1, n) == 1; }

  private:
    std::mt19937 engine_;
};

// The pixel value bits of each format, beyond the colour bits a key looks
// at (the unused top bits) included.
std::uint32_t ValueMask(PixelFormat format) {
    return BytesPerPixel(format) == 2 ? 0xFFFF : BytesPerPixel(format) == 3 ? 0xFFFFFF : 0xFFFFFFFF;
}

// A random key, a single colour or a range (now and then an empty one,
// which keys nothing), with stray bits outside the colour bits.
ColourKey RandomKey(Random& random, PixelFormat format) {
    const std::uint32_t colours = Info(format).colourMask;
    const std::uint32_t low = random.Bits() & colours;
    std::uint32_t high = low;
    if (random.OneIn(3)) high = low + (random.Bits() & colours & 0x3FF);
    if (random.OneIn(10)) high = low - 1 - (random.Bits() & 0xF);
    const std::uint32_t stray = ~colours & random.Bits();
    return {true, (low | stray) & ValueMask(format), (high | stray) & ValueMask(format)};
}

// Sprite-like: rows of keyed and opaque stretches of random lengths (short
// ones among them); keyed pixels anywhere in the key's range, the colour bits
// of opaque ones outside it, and random stray bits in both.
Image RandomSprite(Random& random, int width, int height, PixelFormat format,
                   const ColourKey& key) {
    const KeyTest test = KeyTestFor(format, key);
    const std::uint32_t colours = Info(format).colourMask;
    Image image(width, height, format);
    for (int y = 0; y < height; ++y) {
        bool keyed = random.OneIn(2);
        for (int x = 0; x < width;) {
            const int length = random.OneIn(4) ? random.In(1, 3) : random.In(4, 40);
            for (int end = std::min(width, x + length); x < end; ++x) {
                std::uint32_t value;
                if (keyed && test.active) {
                    value = (test.low + random.Bits() % (test.range + 1)) & colours;
                } else {
                    do {
                        value = random.Bits() & colours;
                    } while (test.active && test.Keyed(value));
                }
                image.Set(x, y, (value | (random.Bits() & ~colours)) & ValueMask(format));
            }
            keyed = !keyed;
        }
    }
    return image;
}

RECT RandomRectIn(Random& random, int width, int height) {
    const int left = random.In(0, width - 1), top = random.In(0, height - 1);
    return {left, top, random.In(left + 1, width), random.In(top + 1, height)};
}

// Runs the property test with the copies of any CPU and, where it has
// them, with the widest.
class OpaqueRunsCopies : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override { AllowWideRunCopies(GetParam()); }
    void TearDown() override { AllowWideRunCopies(true); }
};
INSTANTIATE_TEST_SUITE_P(Vectors, OpaqueRunsCopies, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Widest" : "Portable"; });

TEST_P(OpaqueRunsCopies, DrawPixelForPixelAsTheKeyedBlit) {
    Random random(20240612);
    const PixelFormat formats[] = {PixelFormat::kRgb565, PixelFormat::kRgb555, PixelFormat::kRgb888,
                                   PixelFormat::kXrgb8888};
    constexpr int kCases = 4000;
    int drawn = 0;
    OpaqueRuns runs;  // one encoder for every case, as a surface reuses its own
    for (int i = 0; i < kCases; ++i) {
        SCOPED_TRACE(i);
        const PixelFormat format = formats[random.In(0, 3)];
        const ColourKey key = RandomKey(random, format);
        // Mostly sprite sized; now and then wide enough for long runs.
        const int width = random.OneIn(8) ? random.In(100, 300) : random.In(1, 70);
        const Image sprite = RandomSprite(random, width, random.In(1, 24), format, key);
        Image target(random.In(1, 90), random.In(1, 30), format);
        for (std::uint8_t& byte : target.bytes)
            byte = static_cast<std::uint8_t>(random.Bits());

        BlitJob job;
        job.source = sprite.view;
        job.sourceRect = RandomRectIn(random, sprite.view.width, sprite.view.height);
        const int w = job.sourceRect.right - job.sourceRect.left;
        const int h = job.sourceRect.bottom - job.sourceRect.top;
        // Anywhere from fully inside the target to past any of its edges.
        const int x = random.In(-w, target.view.width), y = random.In(-h, target.view.height);
        job.targetRect = {x, y, x + w, y + h};
        job.clip = Intersect(job.targetRect, Bounds(target.view));
        if (random.OneIn(3)) {
            job.clip =
                Intersect(job.clip, RandomRectIn(random, target.view.width, target.view.height));
        }
        job.mirrorLeftRight = random.OneIn(2);
        job.mirrorUpDown = random.OneIn(2);
        job.key = key;

        if (!runs.Build(sprite.view, key)) continue;  // the per-pixel blit's job
        ++drawn;
        Image expected = target;
        job.target = expected.view;
        ASSERT_TRUE(Blit(job));
        job.target = target.view;
        ASSERT_TRUE(BlitRuns(job, runs));
        ASSERT_EQ(target.bytes, expected.bytes)
            << "format " << static_cast<int>(format) << ", key " << key.low << ".." << key.high
            << ", mirrors " << job.mirrorLeftRight << job.mirrorUpDown;
    }
    // The images are made to be worth encoding: nearly all of them are.
    EXPECT_GT(drawn, kCases * 9 / 10);
}

TEST(OpaqueRuns, LeaveToTheKeyedBlitWhatTheyCannotDraw) {
    const ColourKey key{true, 0xF81F, 0xF81F};
    Image sprite(16, 4, PixelFormat::kRgb565);
    for (int x = 0; x < 16; ++x)
        sprite.Set(x, 1, x < 8 ? 0x1234 : 0xF81F);
    OpaqueRuns runs;
    ASSERT_TRUE(runs.Build(sprite.view, key));

    Image target(32, 8, PixelFormat::kRgb565);
    const std::vector<std::uint8_t> untouched = target.bytes;
    BlitJob job;
    job.source = sprite.view;
    job.sourceRect = Bounds(sprite.view);
    job.target = target.view;
    job.key = key;
    job.targetRect = job.clip = {0, 0, 32, 8};  // stretched
    EXPECT_FALSE(BlitRuns(job, runs));
    job.targetRect = job.clip = {0, 0, 16, 4};
    Image other(32, 8, PixelFormat::kXrgb8888);
    job.target = other.view;  // another format
    EXPECT_FALSE(BlitRuns(job, runs));
    job.target = sprite.view;  // the image itself
    EXPECT_FALSE(BlitRuns(job, runs));
    job.target = target.view;
    Image smaller(8, 4, PixelFormat::kRgb565);
    job.source = smaller.view;  // not the image the runs were built from
    job.sourceRect = Bounds(smaller.view);
    job.targetRect = job.clip = {0, 0, 8, 4};
    EXPECT_FALSE(BlitRuns(job, runs));
    EXPECT_EQ(target.bytes, untouched);

    runs.Clear();
    job.source = sprite.view;
    EXPECT_FALSE(BlitRuns(job, runs));
    // Wider than a run can say.
    Image wide(70000, 1, PixelFormat::kRgb565);
    EXPECT_FALSE(runs.Build(wide.view, key));
    EXPECT_FALSE(runs.Ready());
}

}  // namespace
