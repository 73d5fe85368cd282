#include "platform/backend/desktop.h"

#include "platform/backend/settings.h"

namespace brannock::platform {

DesktopSize VirtualDesktop() {
    const Settings& settings = ProcessSettings();
    return {settings.desktopWidth, settings.desktopHeight};
}

}  // namespace brannock::platform
