#include "child_program.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

extern char** environ;

namespace brannock::e2e {
namespace {

std::string_view NameOf(std::string_view entry) {
    return entry.substr(0, entry.find('='));
}

// The test's environment with the setup's changes, built before fork: the
// child may only make async-signal-safe calls until it execs.
std::vector<std::string> Environment(const ProgramSetup& setup) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view name = NameOf(*entry);
        const auto named = [&](std::string_view other) { return NameOf(other) == name; };
        if (std::any_of(setup.unset.begin(), setup.unset.end(), named) ||
            std::any_of(setup.set.begin(), setup.set.end(), named))
            continue;
        result.emplace_back(*entry);
    }
    result.insert(result.end(), setup.set.begin(), setup.set.end());
    return result;
}

}  // namespace

ChildProgram::ChildProgram(const ProgramSetup& setup) {
    std::vector<std::string> environment = Environment(setup);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string path = setup.path;
    char* argv[] = {path.data(), nullptr};

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        dup2(pipeFds[1], STDERR_FILENO);
        if (!setup.workingDirectory.empty() && chdir(setup.workingDirectory.c_str()) != 0)
            _exit(126);
        execve(argv[0], argv, envp.data());
        _exit(127);
    }
    close(pipeFds[1]);
    if (pid_ < 0) {
        close(pipeFds[0]);
        return;
    }
    reader_ = std::thread([this, fd = pipeFds[0]] { Read(fd); });
}

ChildProgram::~ChildProgram() {
    if (pid_ > 0 && !exitCode_) {
        kill(pid_, SIGKILL);
        WaitForExit(std::chrono::seconds(5));
    }
    if (reader_.joinable()) reader_.join();
}

void ChildProgram::Read(int fd) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        std::lock_guard lock(mutex_);
        output_.append(buffer, static_cast<std::size_t>(n));
        changed_.notify_all();
    }
    close(fd);
}

bool ChildProgram::WaitForOutput(std::string_view text, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout,
                             [&] { return output_.find(text) != std::string::npos; });
}

std::optional<int> ChildProgram::WaitForExit(std::chrono::milliseconds timeout) {
    if (exitCode_ || pid_ <= 0) return exitCode_;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return exitCode_;
        }
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string ChildProgram::Output() const {
    std::lock_guard lock(mutex_);
    return output_;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

RunResult RunToEnd(const ProgramSetup& setup, const std::string& digestFile) {
    ChildProgram child(setup);
    RunResult result;
    EXPECT_TRUE(child.Started());
    const std::optional<int> code = child.WaitForExit(std::chrono::seconds(90));
    result.output = child.Output();
    EXPECT_TRUE(code.has_value()) << "still running:\n" << result.output;
    result.exitCode = code.value_or(-1);
    result.digests = Lines(ReadFile(digestFile));
    return result;
}

}  // namespace brannock::e2e
