// Reads arbitrary bytes as an input script, then writes the events it kept
// back as lines and reads those again: they must come back the same and
// without problems, as a recording must replay.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/backend/script/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brannock::platform::script;
    const Script script = Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string written;
    for (const Event& event : script.events)
        written += FormatEvent(event) + "\n";
    const Script again = Parse(written);
    if (!again.problems.empty() || again.events.size() != script.events.size()) std::abort();
    for (std::size_t i = 0; i < script.events.size(); ++i) {
        if (FormatEvent(again.events[i]) != FormatEvent(script.events[i])) std::abort();
    }
    return 0;
}
