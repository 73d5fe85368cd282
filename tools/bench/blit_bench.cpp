// brannock_bench: frames per second of a game's frame -- restore the
// 640x480 background, draw colour-keyed sprites, present -- through XSprite
// on the headless backend and through SDL2's software blitter with and
// without run-length acceleration, in one run.
//
//   brannock_bench [seconds per measurement, default 1]
#include <cstdio>
#include <cstdlib>

#include "tools/bench/sdl_scene.h"
#include "tools/bench/xsprite_scene.h"

namespace {

using bench::Frame;
using bench::MeasureFps;

double Ratio(double a, double b) {
    return b > 0 ? a / b : 0;
}

// One 128x128 sprite: the presentation paths, full screen and windowed.
bool PresentationTable(bench::XSpriteScene& scene, double seconds) {
    constexpr int kSprite = 128;
    std::printf("frame: restore %dx%d background, draw one %dx%d colour-keyed sprite, present\n",
                bench::kWidth, bench::kHeight, kSprite, kSprite);
    std::printf("%-22s %10s %10s %10s %8s %8s\n", "display", "XSprite", "SDL2", "SDL2 RLE",
                "XS/SDL2", "XS/RLE");
    struct Mode {
        const char* name;
        bool fullScreen;
        int bits;
    };
    bool ok = true;
    for (const Mode mode :
         {Mode{"16 bit, full screen", true, 16}, Mode{"32 bit, full screen", true, 32},
          Mode{"32 bit, windowed", false, 32}}) {
        bench::SdlScene sdl(mode.bits, kSprite, false), sdlRle(mode.bits, kSprite, true);
        if (!scene.Prepare(mode.fullScreen, mode.bits, kSprite) || !sdl.Ready() ||
            !sdlRle.Ready()) {
            std::fprintf(stderr, "cannot set up the scene: %s\n", mode.name);
            ok = false;
            continue;
        }
        const bool flip = mode.fullScreen;
        const auto fps = MeasureFps(seconds, {
                                                 [&](long f) { scene.Frame(f, 1, false); },
                                                 [&](long f) { sdl.Frame(f, 1, flip); },
                                                 [&](long f) { sdlRle.Frame(f, 1, flip); },
                                             });
        std::printf("%-22s %10.0f %10.0f %10.0f %8.2f %8.2f\n", mode.name, fps[0], fps[1], fps[2],
                    Ratio(fps[0], fps[1]), Ratio(fps[0], fps[2]));
    }
    return ok;
}

// N wandering 64x64 discs, full screen, plain and mirrored.
bool SceneTable(bench::XSpriteScene& scene, double seconds) {
    constexpr int kSprite = 64;
    std::printf(
        "\nframe: restore %dx%d background, draw N colour-keyed %dx%d discs at wandering "
        "positions, present (full screen, page flip)\n",
        bench::kWidth, bench::kHeight, kSprite, kSprite);
    std::printf("%4s %5s %10s %10s %10s %10s %8s %8s %10s\n", "bits", "N", "XSprite", "mirrored",
                "SDL2", "SDL2 RLE", "XS/RLE", "XS/SDL2", "mirr/plain");
    bool ok = true;
    for (const int bits : {16, 32}) {
        bench::SdlScene sdl(bits, kSprite, false), sdlRle(bits, kSprite, true);
        if (!scene.Prepare(true, bits, kSprite) || !sdl.Ready() || !sdlRle.Ready()) {
            std::fprintf(stderr, "cannot set up the scene at %d bits\n", bits);
            ok = false;
            continue;
        }
        for (const int count : {1, 10, 100, 1000}) {
            const auto fps = MeasureFps(seconds, {
                                                     [&](long f) { scene.Frame(f, count, false); },
                                                     [&](long f) { scene.Frame(f, count, true); },
                                                     [&](long f) { sdl.Frame(f, count, true); },
                                                     [&](long f) { sdlRle.Frame(f, count, true); },
                                                 });
            std::printf("%4d %5d %10.0f %10.0f %10.0f %10.0f %8.2f %8.2f %10.2f\n", bits, count,
                        fps[0], fps[1], fps[2], fps[3], Ratio(fps[0], fps[3]),
                        Ratio(fps[0], fps[2]), Ratio(fps[0], fps[1]));
        }
    }
    std::printf(
        "XSprite draws unmirrored, 'mirrored' mirrors every sprite left-right; mirr/plain is the "
        "mirrored frame's time\nover the plain one's (goals: XS/RLE >= 1.00, XS/SDL2 >= 1.50, "
        "mirr/plain <= 1.10)\n");
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("BRANNOCK_BACKEND", "headless", 1);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    if (!(seconds > 0)) {
        std::fprintf(stderr, "usage: %s [seconds per measurement]\n", argv[0]);
        return 2;
    }
    std::printf(
        "frames per second of the drawing thread's CPU time, each the best of 10 slices "
        "measured in turns with the other figures of its row\n\n");
    bench::XSpriteScene scene;
    bool ok = PresentationTable(scene, seconds);
    ok = SceneTable(scene, seconds) && ok;
    return ok ? 0 : 1;
}
