// Writing input events as script lines, as recordings do.
#include "platform/backend/script/key_names.h"
#include "platform/backend/script/script.h"
#include "platform/user32/user32.h"

namespace brannock::platform::script {

std::string FormatEvent(const Event& event) {
    std::string line = std::to_string(event.frame) + " ";
    const auto point = [&] { return std::to_string(event.x) + " " + std::to_string(event.y); };
    switch (event.kind) {
        case EventKind::kPress:
            return line + "press " + KeyName(event.key);
        case EventKind::kRelease:
            return line + "release " + KeyName(event.key);
        case EventKind::kMove:
            return line + "move " + point();
        case EventKind::kClick:
            line += "click " + point();
            if (event.key == VK_RBUTTON) return line + " right";
            if (event.key == VK_MBUTTON) return line + " middle";
            return line;
        case EventKind::kClose:
            return line + "close";
        case EventKind::kSave:
            return line + "save " + event.path;
    }
    return line;
}

}  // namespace brannock::platform::script
