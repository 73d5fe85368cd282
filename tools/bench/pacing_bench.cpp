// brannock_pacing_bench: what a paced game costs while it does almost
// nothing. A 60 fps loop on the game thread presents a 640x480 frame each
// pass (drawing is brannock_bench's concern); after a warm-up, the program
// prints the CPU time of the whole process (game and window threads) per
// second of wall time, as a percentage of one core, and the frames per
// second it presented. The backend is the one the process picks
// (BRANNOCK_BACKEND chooses); pacing_bench.sh runs it headless and in an
// SDL2 window under Xvfb.
//
//   brannock_pacing_bench [seconds to measure, default 5]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "framework/globals.h"
#include "framework/system.h"
#include "graphics/xsprite.h"

#ifndef _WIN32
#include "platform/backend/backend.h"
#endif

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFramesPerSecond = 60;
constexpr double kWarmUpSeconds = 1.0;

// CPU time of every thread of the process so far, in seconds.
double ProcessCpuSeconds() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 100e-9;  // 100 ns units
#else
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
#endif
}

class PacingBench final : public CSystem, public XSprite {
  public:
    void Init() override {
        // The arguments after the program's name.
        const double seconds = std::atof(commandLine);
        seconds_ = seconds > 0 ? seconds : 5.0;
        SetClientSize(kWidth, kHeight);
        AttachWindow(GetWindowHandle());
        InitDisplay(kWidth, kHeight, 16, 1);
    }

    void MainLoop() override {
        using Clock = std::chrono::steady_clock;
        const auto seconds = [](Clock::duration d) {
            return std::chrono::duration<double>(d).count();
        };
        const auto start = Clock::now();
        Clock::time_point measureStart{};
        double cpuStart = 0;
        long frames = 0;
        bool measuring = false;
        for (;;) {
            Present();
            WaitFrame(kFramesPerSecond);
            const auto now = Clock::now();
            if (!measuring) {
                if (seconds(now - start) < kWarmUpSeconds) continue;
                measuring = true;
                measureStart = now;
                cpuStart = ProcessCpuSeconds();
                continue;
            }
            ++frames;
            const double wall = seconds(now - measureStart);
            if (wall < seconds_) continue;
            const double cpu = ProcessCpuSeconds() - cpuStart;
            std::printf("%-9s paced %d fps, %dx%d frame per pass: CPU %.2f%% of a core, %.2f fps\n",
                        BackendName(), kFramesPerSecond, kWidth, kHeight, 100.0 * cpu / wall,
                        frames / wall);
            std::fflush(stdout);
            break;
        }
        RequestClose();
    }

  private:
    static const char* BackendName() {
#ifdef _WIN32
        return "win32";
#else
        return brannock::platform::CurrentBackend().Name();
#endif
    }

    double seconds_ = 5.0;
};

PacingBench g_bench;

}  // namespace
