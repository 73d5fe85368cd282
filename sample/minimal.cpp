// The smallest game on the framework: the application object used directly,
// with one procedure for start-up and one for the main loop. The main loop
// runs on the game thread at 60 frames per second and shows the seconds it
// has run in the title, until the window is closed.
#include "framework/globals.h"
#include "framework/system.h"

namespace {

void InitGame(CSystem* system) {
    system->SetTitle("Brannock");
}

void RunGame(CSystem* system) {
    constexpr int kFramesPerSecond = 60;
    for (int frame = 0; !g_endFlag; ++frame) {
        if (frame % kFramesPerSecond == 0) {
            char title[64];
            wsprintfA(title, "Brannock - %d s", frame / kFramesPerSecond);
            system->SetTitle(title);
        }
        system->WaitFrame(kFramesPerSecond);
    }
}

CSystem g_game(&InitGame, &RunGame);

}  // namespace
