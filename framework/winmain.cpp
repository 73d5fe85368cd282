// The process entry: hands the run to the application object.
#include "framework/game_thread.h"
#include "framework/globals.h"
#include "framework/system.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand) {
    if (g_pSystem) {
        g_pSystem->Run(instance, previousInstance, commandLine, showCommand);
        EndGameThreadBeforeExit();
    }
    return 0;
}
