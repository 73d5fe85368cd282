#include "platform/backend/settings.h"

#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "platform/kernel32/host_path.h"

namespace brannock::platform {
namespace {

constexpr int kMaxDesktopSide = 8192;

// Taken before main, so before a program moves out of a build folder.
const std::string g_startDirectory = [] {
    std::error_code error;
    return std::filesystem::current_path(error).string();
}();

// A whole decimal number in [low, high], nothing around it.
bool ParseNumber(std::string_view text, int low, int high, int& value) {
    int parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool ParseSize(std::string_view text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    int w = 0, h = 0;
    if (!ParseNumber(text.substr(0, x), 1, kMaxDesktopSide, w) ||
        !ParseNumber(text.substr(x + 1), 1, kMaxDesktopSide, h))
        return false;
    width = w;
    height = h;
    return true;
}

}  // namespace

Settings ReadSettings(const EnvironmentLookup& lookup) {
    Settings settings;
    const auto problem = [&](const char* name, const char* value, const char* expected) {
        settings.problems.push_back(std::string(name) + "=" + value + " ignored: expected " +
                                    expected);
    };

    if (const char* value = lookup("BRANNOCK_BACKEND")) {
        const std::string_view name(value);
        if (name == "headless" || name == "sdl2")
            settings.backend = name;
        else if (!name.empty())
            problem("BRANNOCK_BACKEND", value, "headless or sdl2");
    }
    if (const char* value = lookup("BRANNOCK_DESKTOP")) {
        if (!ParseSize(value, settings.desktopWidth, settings.desktopHeight))
            problem("BRANNOCK_DESKTOP", value, "WIDTHxHEIGHT, each 1 to 8192");
    }
    if (const char* value = lookup("BRANNOCK_DEBUG_OUTPUT")) settings.debugOutput = value;
    if (const char* value = lookup("BRANNOCK_HEADLESS_CLOSE_MS")) {
        if (!ParseNumber(value, 0, INT_MAX, settings.headlessCloseMs))
            problem("BRANNOCK_HEADLESS_CLOSE_MS", value, "a number of milliseconds");
    }
    if (const char* value = lookup("BRANNOCK_HEADLESS_SCREENSHOT"))
        settings.headlessScreenshot = value;
    if (const char* value = lookup("BRANNOCK_MESSAGE_BOXES")) {
        const std::string_view where(value);
        if (where == "stderr")
            settings.messageBoxesToStderr = true;
        else if (!where.empty())
            problem("BRANNOCK_MESSAGE_BOXES", value, "stderr");
    }
    if (const char* value = lookup("BRANNOCK_SCRIPT")) settings.script = value;
    if (const char* value = lookup("BRANNOCK_RECORD")) settings.record = value;
    if (const char* value = lookup("BRANNOCK_DIGESTS")) settings.digests = value;
    if (const char* value = lookup("BRANNOCK_DIGEST_FRAMES")) {
        const std::string_view which(value);
        if (which == "saved")
            settings.digestSavedFramesOnly = true;
        else if (which != "all" && !which.empty())
            problem("BRANNOCK_DIGEST_FRAMES", value, "all or saved");
    }
    return settings;
}

std::string PathFromStart(const Settings& settings, const std::string& path) {
    std::string host = ToHostPath(path);
    if (host.empty() || host.front() == '/' || settings.startDirectory.empty()) return host;
    return settings.startDirectory + "/" + host;
}

const Settings& ProcessSettings() {
    static const Settings* settings = [] {
        auto* read = new Settings(ReadSettings([](const char* name) { return std::getenv(name); }));
        read->startDirectory = g_startDirectory;
        for (const std::string& line : read->problems)
            std::fprintf(stderr, "brannock: %s\n", line.c_str());
        return read;
    }();
    return *settings;
}

}  // namespace brannock::platform
