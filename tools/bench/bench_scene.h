// The scene both contenders of brannock_bench draw: a 640x480 background
// and N colour-keyed disc sprites wandering over it, and the clock that
// turns frames into frames per second.
#pragma once

#include <time.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace bench {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// Colours as 0x00RRGGBB; the transparent one is magenta.
constexpr std::uint32_t kTransparent = 0xFF00FF;

inline std::uint32_t BackgroundPixel(int x, int y) {
    return static_cast<std::uint32_t>(x * 255 / kWidth) << 16 |
           static_cast<std::uint32_t>(y * 255 / kHeight) << 8 | 0x60;
}

// A disc on the transparent colour filling a size x size square: about a
// fifth of the square is keyed. Every row of the disc is one opaque run.
inline std::uint32_t DiscPixel(int x, int y, int size) {
    const int dx = 2 * x + 1 - size, dy = 2 * y + 1 - size;
    if (dx * dx + dy * dy > size * size) return kTransparent;
    return 0xFF0000 | static_cast<std::uint32_t>((x * 4) & 0xFF) << 8 |
           static_cast<std::uint32_t>((y * 4) & 0xFF);
}

struct Point {
    int x, y;
};

// Where sprite `index` of a size x size image is in frame `frame`: each
// sprite wanders at its own speed, always wholly on the screen, so no two
// frames draw the same picture.
inline Point SpritePosition(int index, long frame, int size) {
    const long rangeX = kWidth - size, rangeY = kHeight - size;
    const long x = index * 97L + frame * (1 + index % 7);
    const long y = index * 61L + frame * (1 + index % 5);
    return {static_cast<int>(x % rangeX), static_cast<int>(y % rangeY)};
}

// One contender's frame: draws frame number `frame` and shows it.
using Frame = std::function<void(long frame)>;

// The CPU time the calling thread has used, in seconds. Every contender
// draws on this one thread, so on an idle machine this is the wall time
// of its frames; on a shared one, time other programs take is left out.
inline double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

// Frames per second of each contender, measured in turns of short slices
// of about `seconds` in all each, so that what other programs do to the
// caches falls on all of them alike; each figure is the best slice.
inline std::vector<double> MeasureFps(double seconds, const std::vector<Frame>& contenders) {
    constexpr int kSlices = 10;
    const double slice = seconds / kSlices;
    std::vector<double> best(contenders.size(), 0.0);
    std::vector<long> frames(contenders.size(), 0);
    for (std::size_t i = 0; i < contenders.size(); ++i) {
        for (int warm = 0; warm < 20; ++warm)
            contenders[i](frames[i]++);  // caches, lazily built data
    }
    for (int round = 0; round < kSlices; ++round) {
        for (std::size_t i = 0; i < contenders.size(); ++i) {
            long count = 0;
            const double start = ThreadSeconds();
            double now;
            do {
                for (int k = 0; k < 4; ++k, ++count)
                    contenders[i](frames[i]++);
                now = ThreadSeconds();
            } while (now - start < slice);
            const double fps = count / (now - start);
            if (fps > best[i]) best[i] = fps;
        }
    }
    return best;
}

}  // namespace bench
