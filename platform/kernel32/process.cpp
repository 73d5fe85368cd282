// The process: its module handle and its end.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/kernel32/kernel32.h"
#include "platform/kernel32/process_end.h"

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    // The program is the only module; its handle is the usual image base of
    // a Windows program.
    constexpr std::uintptr_t kProgramModule = 0x400000;
    return lpModuleName == nullptr ? reinterpret_cast<HMODULE>(kProgramModule) : nullptr;
}

VOID WINAPI ExitProcess(UINT uExitCode) {
    brannock::platform::RunProcessEndHandlers();
    std::fflush(nullptr);
    std::_Exit(static_cast<int>(uExitCode));
}
