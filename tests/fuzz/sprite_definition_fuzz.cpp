// Reads arbitrary bytes as a sprite definition file (with and without blank
// stripping), looks up every animation it defines and plays each one for a
// few hundred steps, asking for its draw position at every step.
#include <cstddef>
#include <cstdint>

#include "sprite/anim_player.h"
#include "sprite/sprite_set.h"

namespace {

constexpr int kStepsPerAnimation = 300;

void PlayAll(const char* text, std::size_t size, bool strip) {
    CSpriteSet set(nullptr, 100);
    set.LoadFromMemory(text, size, strip);
    CAnimPlayer player;
    for (int i = 0; i < set.GetAnimationCount(); ++i) {
        player.Start(set.Find(set.GetAnimation(i)->name.c_str()), 0, 0);
        for (int step = 0; step < kStepsPerAnimation; ++step) {
            player.Update();
            POINT position;
            player.GetDrawPosition(&position, step & 1);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    PlayAll(text, size, true);
    PlayAll(text, size, false);
    return 0;
}
