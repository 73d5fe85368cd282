// A program the end-to-end tests start: its environment adjusted, its
// stdout and stderr collected line by line, its exit status awaited with a
// deadline. Killed if still running when the object goes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace brannock::e2e {

struct ProgramSetup {
    std::string path;
    std::string workingDirectory;    // empty: the test's own
    std::vector<std::string> set;    // NAME=VALUE
    std::vector<std::string> unset;  // NAME
};

class ChildProgram {
  public:
    explicit ChildProgram(const ProgramSetup& setup);
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;
    ~ChildProgram();

    bool Started() const { return pid_ > 0; }

    // Waits until some output line contains `text`; false at the deadline.
    bool WaitForOutput(std::string_view text, std::chrono::milliseconds timeout);

    // The exit code (128 + signal for a killed program), or nothing when it
    // still runs at the deadline.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);

    std::string Output() const;

  private:
    void Read(int fd);

    pid_t pid_ = -1;
    std::optional<int> exitCode_;
    std::thread reader_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string output_;
};

// What a program run to its end gave: its exit code (-1 when it did not end
// within 90 s), its output, and the lines of the digest file it wrote.
struct RunResult {
    int exitCode = -1;
    std::string output;
    std::vector<std::string> digests;
};
RunResult RunToEnd(const ProgramSetup& setup, const std::string& digestFile);

// A file's whole content ("" when it cannot be read), and text split into
// its lines.
std::string ReadFile(const std::string& path);
std::vector<std::string> Lines(const std::string& text);

}  // namespace brannock::e2e
