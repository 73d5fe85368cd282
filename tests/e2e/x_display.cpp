#include "x_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

namespace brannock::e2e {
namespace {

// Reads a binary PPM (P6, maxval 255).
bool ParsePpm(const std::string& data, Screenshot& shot) {
    std::istringstream in(data);
    std::string magic;
    int maxValue = 0;
    in >> magic >> shot.width >> shot.height >> maxValue;
    if (magic != "P6" || shot.width <= 0 || shot.height <= 0 || maxValue != 255) return false;
    in.get();
    const std::size_t count = static_cast<std::size_t>(shot.width) * shot.height;
    std::string bytes(count * 3, '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return false;
    shot.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + i * 3);
        shot.pixels[i] = static_cast<std::uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
    }
    return true;
}

// The descriptor a child's stderr goes to: `file`, or /dev/null without one.
// Taken before fork, so the child only makes async-signal-safe calls.
int ErrorsFd(std::FILE* file) {
    return file ? fileno(file) : open("/dev/null", O_WRONLY);
}

// The last lines a child wrote to its stderr file that say something (Xvfb
// ends its reports with bare "(EE)" lines), joined with " / ".
std::string LastErrorLines(std::FILE* file) {
    if (!file) return "(its stderr was not kept)";
    std::string text;
    char buffer[4096];
    off_t offset = 0;
    for (ssize_t n; (n = pread(fileno(file), buffer, sizeof buffer, offset)) > 0; offset += n)
        text.append(buffer, static_cast<std::size_t>(n));
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const std::string_view said =
            std::string_view(line).substr(line.rfind("(EE)", 0) == 0 ? 4 : 0);
        if (std::any_of(said.begin(), said.end(), [](unsigned char c) { return std::isalnum(c); }))
            lines.push_back(line);
    }
    if (lines.empty()) return "(nothing on its stderr)";
    std::string last;
    for (std::size_t i = lines.size() > 2 ? lines.size() - 2 : 0; i < lines.size(); ++i)
        last += (last.empty() ? "" : " / ") + lines[i];
    return last;
}

// Ends a helper process: asked first, then killed, so that one that misses
// its signal cannot hold up the test; says so when it had to be killed.
void EndProcess(pid_t pid, const char* name) {
    kill(pid, SIGTERM);
    for (int waited = 0; waited < 3000; waited += 10) {
        if (waitpid(pid, nullptr, WNOHANG) != 0) return;
        usleep(10 * 1000);
    }
    std::fprintf(stderr, "%s did not end within 3 s of SIGTERM; killed\n", name);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

int Screenshot::Count(int left, int top, int right, int bottom, std::uint32_t rgb) const {
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y)
        for (int x = std::max(left, 0); x < std::min(right, width); ++x)
            count += At(x, y) == rgb;
    return count;
}

bool XvfbDisplay::Installed() {
    return std::system("command -v Xvfb >/dev/null 2>&1") == 0;
}

bool XvfbDisplay::WindowManagerInstalled() {
    return std::system("command -v evilwm >/dev/null 2>&1") == 0;
}

XvfbDisplay::XvfbDisplay(int width, int height, const std::string& windowManagerFont) {
    if (!Installed()) {
        failure_ = "Xvfb is not installed";
        return;
    }
    // Xvfb picks a free display number itself and writes it to -displayfd.
    // -noreset: by default the server resets when its last client leaves,
    // and a client connecting during the reset is turned away; a window
    // manager that fails at once would make the next connection fail.
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const std::string displayFd = std::to_string(fds[1]);
    serverErrors_ = std::tmpfile();
    const int errors = ErrorsFd(serverErrors_);
    server_ = fork();
    if (server_ == 0) {
        close(fds[0]);
        dup2(errors, STDERR_FILENO);
        execlp("Xvfb", "Xvfb", "-displayfd", displayFd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (server_ < 0) {
        close(fds[0]);
        failure_ = "cannot start Xvfb";
        return;
    }
    std::string number;
    pollfd ready{fds[0], POLLIN, 0};
    while (poll(&ready, 1, 10000) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        failure_ = "Xvfb did not start: " + LastErrorLines(serverErrors_);
        return;
    }
    name_ = ":" + number;
    if (!StartWindowManager(windowManagerFont)) name_.clear();
}

XvfbDisplay::~XvfbDisplay() {
    if (windowManager_ > 0) EndProcess(windowManager_, "evilwm");
    if (server_ > 0) EndProcess(server_, "Xvfb");
    for (std::FILE* errors : {windowManagerErrors_, serverErrors_})
        if (errors) std::fclose(errors);
}

// Starts evilwm and waits until it announces itself on the root window.
bool XvfbDisplay::StartWindowManager(const std::string& font) {
    windowManagerErrors_ = std::tmpfile();
    const int errors = ErrorsFd(windowManagerErrors_);
    windowManager_ = fork();
    if (windowManager_ == 0) {
        dup2(errors, STDERR_FILENO);
        execlp("evilwm", "evilwm", "-display", name_.c_str(), "-fn", font.c_str(),
               static_cast<char*>(nullptr));
        _exit(127);
    }
    if (windowManager_ < 0) {
        failure_ = "cannot start evilwm";
        return false;
    }
    Display* display = XOpenDisplay(name_.c_str());
    if (!display) {
        failure_ = "cannot open the display " + name_;
        return false;
    }
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    bool ready = false;
    for (int attempt = 0; attempt < 100 && !ready; ++attempt) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        ready = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                   XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
                count == 1;
        if (data) XFree(data);
        if (!ready) usleep(50 * 1000);
        if (waitpid(windowManager_, nullptr, WNOHANG) == windowManager_) {
            windowManager_ = -1;
            break;
        }
    }
    XCloseDisplay(display);
    if (!ready) failure_ = "evilwm did not start: " + LastErrorLines(windowManagerErrors_);
    return ready;
}

std::string XvfbDisplay::Run(const std::string& command, bool* ok) const {
    const std::string full = "DISPLAY=" + name_ + " timeout 20 " + command;
    std::string output;
    FILE* pipe = popen(full.c_str(), "r");
    if (!pipe) {
        if (ok) *ok = false;
        return output;
    }
    char buffer[65536];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    const int status = pclose(pipe);
    const bool succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (ok) *ok = succeeded;
    return succeeded ? output : std::string();
}

std::string XvfbDisplay::FindWindow(const std::string& titlePattern,
                                    std::chrono::seconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        std::string found = Run("xdotool search --onlyvisible --name '" + titlePattern + "'");
        if (const auto end = found.find('\n'); end != std::string::npos && end > 0)
            return found.substr(0, end);
        usleep(100 * 1000);
    } while (std::chrono::steady_clock::now() < deadline);
    return {};
}

std::string XvfbDisplay::WindowTitle(const std::string& window) const {
    std::string title = Run("xdotool getwindowname " + window);
    while (!title.empty() && title.back() == '\n')
        title.pop_back();
    return title;
}

bool XvfbDisplay::Type(const std::string& window, const std::string& commands) const {
    bool ok = false;
    Run("xdotool windowfocus --sync " + window + " " + commands, &ok);
    return ok;
}

bool XvfbDisplay::Click(const std::string& window, int x, int y) const {
    bool ok = false;
    Run("xdotool mousemove --window " + window + " --sync " + std::to_string(x) + " " +
            std::to_string(y) + " click 1",
        &ok);
    return ok;
}

bool XvfbDisplay::MoveTo(const std::string& window, int x, int y) const {
    bool ok = false;
    Run("xdotool mousemove --window " + window + " --sync " + std::to_string(x) + " " +
            std::to_string(y),
        &ok);
    return ok;
}

Screenshot XvfbDisplay::Capture(const std::string& window, const std::string& savePath) const {
    Screenshot shot;
    bool ok = false;
    Run("import -window " + window + " '" + savePath + "'", &ok);
    if (ok && !ParsePpm(Run("convert '" + savePath + "' ppm:-"), shot)) shot = Screenshot{};
    return shot;
}

bool XvfbDisplay::RequestClose(const std::string& window) const {
    Display* display = XOpenDisplay(name_.c_str());
    if (!display) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(std::strtoul(window.c_str(), nullptr, 10));
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent != 0;
}

}  // namespace brannock::e2e
