// Reading an input script, line by line. A line that cannot be used is
// skipped whole, with a problem naming its line.
#include <cctype>
#include <charconv>

#include "platform/backend/script/key_names.h"
#include "platform/backend/script/script.h"
#include "platform/user32/user32.h"

namespace brannock::platform::script {
namespace {

// Longer lines are no script's.
constexpr std::size_t kMaxLineLength = 4096;
// Client coordinates travel as 16-bit signed values in lParam.
constexpr int kMaxCoordinate = 32767;
constexpr int kMinCoordinate = -32768;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
    }
    return true;
}

// The words of a line, up to a comment, each with where the rest of the
// line starts after it (for a file name that may hold blanks).
class Words {
  public:
    explicit Words(std::string_view line) : line_(line) {}

    // False at the end of the line or at a comment.
    bool Next(std::string_view& word) {
        while (at_ < line_.size() && IsBlank(line_[at_]))
            ++at_;
        if (at_ == line_.size() || line_[at_] == '#') return false;
        const std::size_t start = at_;
        while (at_ < line_.size() && !IsBlank(line_[at_]))
            ++at_;
        word = line_.substr(start, at_ - start);
        return true;
    }

    // The rest of the line up to a comment, without the blanks around it.
    std::string_view Rest() {
        std::string_view rest = line_.substr(at_);
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (rest[i] == '#' && (i == 0 || IsBlank(rest[i - 1]))) {
                rest = rest.substr(0, i);
                break;
            }
        }
        while (!rest.empty() && IsBlank(rest.front()))
            rest.remove_prefix(1);
        while (!rest.empty() && IsBlank(rest.back()))
            rest.remove_suffix(1);
        at_ = line_.size();
        return rest;
    }

  private:
    std::string_view line_;
    std::size_t at_ = 0;
};

bool ParseInt(std::string_view word, long long low, long long high, long long& value) {
    long long parsed = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() || parsed < low ||
        parsed > high)
        return false;
    value = parsed;
    return true;
}

// Digits with an optional minus sign, whatever their size.
bool IsWholeNumber(std::string_view word) {
    if (!word.empty() && word.front() == '-') word.remove_prefix(1);
    return !word.empty() && word.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string Quoted(std::string_view word) {
    return "\"" + std::string(word) + "\"";
}

// One line's event after its frame number; an error message when unusable.
std::string ParseCommand(Words& words, Event& event) {
    std::string_view command;
    if (!words.Next(command)) return "a command is missing after the frame number";
    std::string_view word;
    if (SameLetters(command, "press") || SameLetters(command, "release")) {
        event.kind = SameLetters(command, "press") ? EventKind::kPress : EventKind::kRelease;
        if (!words.Next(word)) return "a key is missing";
        if (!ParseKey(word, event.key)) return "unknown key " + Quoted(word);
    } else if (SameLetters(command, "move") || SameLetters(command, "click")) {
        event.kind = SameLetters(command, "move") ? EventKind::kMove : EventKind::kClick;
        long long x = 0, y = 0;
        std::string_view yWord;
        if (!words.Next(word) || !words.Next(yWord)) return "X and Y are missing";
        if (!ParseInt(word, kMinCoordinate, kMaxCoordinate, x) ||
            !ParseInt(yWord, kMinCoordinate, kMaxCoordinate, y))
            return "X and Y must be whole numbers from -32768 to 32767";
        event.x = static_cast<int>(x);
        event.y = static_cast<int>(y);
        if (event.kind == EventKind::kClick) {
            event.key = VK_LBUTTON;
            if (words.Next(word)) {
                if (SameLetters(word, "right"))
                    event.key = VK_RBUTTON;
                else if (SameLetters(word, "middle"))
                    event.key = VK_MBUTTON;
                else if (!SameLetters(word, "left"))
                    return "unknown button " + Quoted(word) + " (left, right or middle)";
            }
        }
    } else if (SameLetters(command, "close")) {
        event.kind = EventKind::kClose;
    } else if (SameLetters(command, "save")) {
        event.kind = EventKind::kSave;
        const std::string_view path = words.Rest();
        if (path.empty()) return "a file name is missing";
        for (const char c : path) {
            if (static_cast<unsigned char>(c) < 0x20) return "the file name has control characters";
        }
        event.path = std::string(path);
    } else {
        return "unknown command " + Quoted(command);
    }
    if (words.Next(word)) return "unexpected " + Quoted(word);
    return {};
}

}  // namespace

Script Parse(std::string_view text) {
    Script script;
    long long lastFrame = 0;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto skip = [&](std::string message) {
            script.problems.push_back({number, std::move(message)});
        };
        if (line.size() > kMaxLineLength) {
            skip("the line is longer than " + std::to_string(kMaxLineLength) + " bytes");
            continue;
        }

        Words words(line);
        std::string_view first;
        if (!words.Next(first)) continue;  // blank or comment
        Event event;
        event.line = number;
        if (!ParseInt(first, 0, kMaxFrame, event.frame)) {
            skip(IsWholeNumber(first)
                     ? "frame number " + std::string(first) + " is out of range (0 to " +
                           std::to_string(kMaxFrame) + ")"
                     : "a line starts with a frame number, not " + Quoted(first));
            continue;
        }
        if (event.frame < lastFrame) {
            skip("frame " + std::to_string(event.frame) + " comes after frame " +
                 std::to_string(lastFrame));
            continue;
        }
        if (std::string error = ParseCommand(words, event); !error.empty()) {
            skip(std::move(error));
            continue;
        }
        lastFrame = event.frame;
        script.events.push_back(std::move(event));
    }
    return script;
}

}  // namespace brannock::platform::script
