#include "framework/globals.h"

CSystem* g_pSystem = nullptr;
int g_systemCount = 0;
HINSTANCE g_hInstance = nullptr;
std::atomic<HWND> g_hWnd{nullptr};
std::atomic<int> g_endFlag{0};
char g_title[100] = "Sample";

char g_className[100] = "Brannock";
int g_windowX = -1;
int g_windowY = -1;
int g_windowWidth = 640;
int g_windowHeight = 480;
DWORD g_windowStyle = WS_OVERLAPPEDWINDOW;

std::atomic<int> g_mouseX{0};
std::atomic<int> g_mouseY{0};
std::atomic<int> g_mouseLeft{0};
std::atomic<int> g_mouseRight{0};

DWORD g_frameBase = 0;
int g_frameCount = 0;
