// The process entry: hands the program's arguments to WinMain as Windows
// does, then lets the platform finish its end-of-program work.
#include "platform/kernel32/command_line.h"
#include "platform/kernel32/process_end.h"
#include "platform/win32.h"

int main(int argc, char** argv) {
    brannock::platform::SetProcessArguments(argc, argv);
    // The arguments are the tail of the command line, so they end with its
    // terminator.
    const std::string_view arguments = brannock::platform::CommandLineArguments(GetCommandLineA());
    const int result = WinMain(GetModuleHandleA(nullptr), nullptr,
                               const_cast<LPSTR>(arguments.data()), SW_SHOWDEFAULT);
    brannock::platform::RunProcessEndHandlers();
    return result;
}
