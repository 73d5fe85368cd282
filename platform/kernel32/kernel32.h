// kernel32: threads, waits, the millisecond clock, the process's command
// line and current directory, debugger output. Signatures and constants are
// Win32's, so framework code compiles unchanged against the real SDK.
#pragma once

#include "platform/windef.h"

// Thread handles are entries of the platform's handle table; CloseHandle
// removes the entry without touching the thread.

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using PSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

using PTHREAD_START_ROUTINE = DWORD(WINAPI*)(LPVOID lpThreadParameter);
using LPTHREAD_START_ROUTINE = PTHREAD_START_ROUTINE;

#define STILL_ACTIVE (static_cast<DWORD>(259))
#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 (static_cast<DWORD>(0))
#define WAIT_TIMEOUT (static_cast<DWORD>(258))
#define WAIT_FAILED (static_cast<DWORD>(0xFFFFFFFF))
#define CREATE_SUSPENDED 0x00000004u
#define STACK_SIZE_PARAM_IS_A_RESERVATION 0x00010000u

// Starts a thread running `lpStartAddress(lpParameter)`. Security attributes
// and the stack size are accepted and ignored. CREATE_SUSPENDED is refused
// (null): there is no ResumeThread.
HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
                           LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                           DWORD dwCreationFlags, LPDWORD lpThreadId);

// STILL_ACTIVE while the thread runs, then its routine's result (or the code
// given to TerminateThread).
BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);

// A thread cannot be killed safely here: TerminateThread asks the thread to
// stop and returns TRUE at once. The thread ends at its next blocking call
// (Sleep, WaitForSingleObject, a message wait; see interrupt.h), which
// throws a private exception that unwinds the thread's stack, running its
// destructors, up to the thread's start, and the thread's exit code becomes
// dwExitCode. Called on the thread itself, it unwinds at once and does not
// return. A thread that never reaches a blocking call keeps running, and a
// catch (...) on its stack that swallows the exception keeps it alive.
BOOL WINAPI TerminateThread(HANDLE hThread, DWORD dwExitCode);

// Waits for a thread to end. WAIT_OBJECT_0, WAIT_TIMEOUT after
// dwMilliseconds of real time (INFINITE: no limit), WAIT_FAILED for a handle
// that is not a thread. On a thread with a stop pending it does not block:
// WAIT_TIMEOUT unless the thread has ended (see interrupt.h).
DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);

BOOL WINAPI CloseHandle(HANDLE hObject);
DWORD WINAPI GetCurrentThreadId();

// Milliseconds from a monotonic clock, wrapping after about 49.7 days.
DWORD WINAPI GetTickCount();
// Sleep(0) gives up the rest of the time slice. Returns at once on a thread
// with a stop pending (see interrupt.h).
VOID WINAPI Sleep(DWORD dwMilliseconds);

// The whole command line, program name first; arguments holding spaces are
// quoted.
LPSTR WINAPI GetCommandLineA();

// The current directory in Windows form ("Z:\home\me" for /home/me).
// Returns the length without the terminator, or the buffer size needed
// (terminator included) when nBufferLength is too small, leaving the buffer
// alone; 0 on failure.
DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer);
// Accepts Windows-style and host paths.
BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName);

// Sends the text to the debugger output sinks (see debug_output.cpp).
VOID WINAPI OutputDebugStringA(LPCSTR lpOutputString);

// The program's instance handle for a null name; null for any module name.
HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);

// Ends the process at once with the given exit code, as Windows does: other
// threads stop where they are and the program's static destructors and
// atexit handlers do not run (std::exit is the normal exit path). The
// platform's end-of-program work (process_end.h) runs and C streams are
// flushed first.
[[noreturn]] VOID WINAPI ExitProcess(UINT uExitCode);

// The program's entry, defined by the framework; the process entry calls it.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);
