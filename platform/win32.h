// The one include point for the Win32 and DirectDraw names the framework
// uses: the real SDK on Windows, the project's platform layer elsewhere.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mmsystem.h>
#include <ddraw.h>
#else
#include "platform/windef.h"
#include "platform/kernel32/kernel32.h"
#include "platform/user32/user32.h"
#include "platform/gdi32/gdi32.h"
#include "platform/winmm/mmsystem.h"
#include "platform/ddraw/ddraw.h"
#endif
