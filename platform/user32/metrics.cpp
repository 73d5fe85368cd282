// GetSystemMetrics: every emulated metric in one table. The non-client area
// has no border or frame, a 20-pixel caption and a 20-pixel menu bar, so the
// framework's window-size sums come out exact.
#include <atomic>
#include <cstdint>

#include "platform/backend/desktop.h"
#include "platform/user32/screen.h"
#include "platform/win32.h"

namespace brannock::platform {
namespace {

// Width in the high half, height in the low half: one word, so readers never
// see half a mode change. 0 while the desktop is shown.
std::atomic<std::uint64_t> g_mode{0};

enum class Source { Fixed, ScreenWidth, ScreenHeight, ScreenHeightLessCaption };

struct Metric {
    int index;
    int value;
    Source source = Source::Fixed;
};

constexpr int kCaption = 20;
constexpr int kSizeBox = 20;
constexpr int kMenuBar = 20;

constexpr Metric kMetrics[] = {
    {SM_CXSCREEN, 0, Source::ScreenWidth},
    {SM_CYSCREEN, 0, Source::ScreenHeight},
    {SM_CXVSCROLL, 16},
    {SM_CYHSCROLL, 16},
    {SM_CYCAPTION, kCaption},
    {SM_CXBORDER, 0},
    {SM_CYBORDER, 0},
    {SM_CXDLGFRAME, 0},
    {SM_CYDLGFRAME, 0},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},
    {SM_CYMENU, kMenuBar},
    {SM_CXFULLSCREEN, 0, Source::ScreenWidth},
    {SM_CYFULLSCREEN, 0, Source::ScreenHeightLessCaption},
    {SM_MOUSEPRESENT, 1},
    {SM_CYVSCROLL, 16},
    {SM_CXHSCROLL, 16},
    {SM_CXMIN, 3 * kSizeBox},
    {SM_CYMIN, kCaption},
    {SM_CXSIZE, kSizeBox},
    {SM_CYSIZE, kSizeBox},
    {SM_CXFRAME, 0},
    {SM_CYFRAME, 0},
    {SM_CXMINTRACK, 3 * kSizeBox},
    {SM_CYMINTRACK, kCaption},
    {SM_CMOUSEBUTTONS, 3},
    {SM_CXEDGE, 0},
    {SM_CYEDGE, 0},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    {SM_CXMAXTRACK, 0, Source::ScreenWidth},
    {SM_CYMAXTRACK, 0, Source::ScreenHeight},
    {SM_CXMAXIMIZED, 0, Source::ScreenWidth},
    {SM_CYMAXIMIZED, 0, Source::ScreenHeight},
    {SM_XVIRTUALSCREEN, 0},
    {SM_YVIRTUALSCREEN, 0},
    {SM_CXVIRTUALSCREEN, 0, Source::ScreenWidth},
    {SM_CYVIRTUALSCREEN, 0, Source::ScreenHeight},
    {SM_CMONITORS, 1},
};

}  // namespace

void SetScreenModeSize(int width, int height) {
    if (width <= 0 || height <= 0) width = height = 0;
    g_mode.store(static_cast<std::uint64_t>(width) << 32 | static_cast<std::uint32_t>(height));
}

ScreenSize CurrentScreenSize() {
    std::uint64_t mode = g_mode.load();
    if (mode != 0) return {static_cast<int>(mode >> 32), static_cast<int>(mode & 0xFFFFFFFFu)};
    DesktopSize desktop = VirtualDesktop();
    return {desktop.width, desktop.height};
}

}  // namespace brannock::platform

using namespace brannock::platform;

// Unknown indexes give 0, as on Windows.
int WINAPI GetSystemMetrics(int index) {
    for (const Metric& m : kMetrics) {
        if (m.index != index) continue;
        switch (m.source) {
            case Source::Fixed:
                return m.value;
            case Source::ScreenWidth:
                return CurrentScreenSize().width;
            case Source::ScreenHeight:
                return CurrentScreenSize().height;
            case Source::ScreenHeightLessCaption:
                return CurrentScreenSize().height - kCaption;
        }
    }
    return 0;
}
