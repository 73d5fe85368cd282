// The input script format: reading scripts, skipping the lines that cannot
// be used, writing events back as lines, and the key names.
#include <gtest/gtest.h>

#include "platform/backend/script/key_names.h"
#include "platform/backend/script/script.h"
#include "platform/win32.h"

namespace {

using namespace brannock::platform::script;

std::string Describe(const Event& e) {
    return std::to_string(e.frame) + "@" + std::to_string(e.line) + " " + FormatEvent(e);
}

std::vector<std::string> Described(const Script& script) {
    std::vector<std::string> lines;
    for (const Event& event : script.events)
        lines.push_back(Describe(event));
    return lines;
}

TEST(ScriptFormat, ReadsEveryCommandWithCommentsBlankLinesAndEitherLineEnd) {
    const Script script = Parse(
        "# a comment line\r\n"
        "\n"
        "  0   PRESS   right   # keys by name, any case\r\n"
        "\t3 release 0x27\n"
        "3 press 27\n"
        "4 press digit7\n"
        "5 move -10 32767\n"
        "6 click 1 2\n"
        "6 Click 3 4 RIGHT\n"
        "7 click 5 6 middle\n"
        "8 save shots/frame 8.bmp   # the rest of the line is the file\n"
        "8 save a#b.bmp\n"
        "9 close");
    EXPECT_TRUE(script.problems.empty()) << script.problems[0].message;
    EXPECT_EQ(Described(script), (std::vector<std::string>{
                                     "0@3 0 press Right",
                                     "3@4 3 release Right",
                                     "3@5 3 press Escape",
                                     "4@6 4 press Digit7",
                                     "5@7 5 move -10 32767",
                                     "6@8 6 click 1 2",
                                     "6@9 6 click 3 4 right",
                                     "7@10 7 click 5 6 middle",
                                     "8@11 8 save shots/frame 8.bmp",
                                     "8@12 8 save a#b.bmp",
                                     "9@13 9 close",
                                 }));
}

TEST(ScriptFormat, LinesThatCannotBeUsedAreSkippedWithTheirLineNumbers) {
    const Script script = Parse(
        "5 press Up\n"                    // 1: kept
        "4 press Up\n"                    // 2: out of order
        "-1 press Up\n"                   // 3: out of range
        "1000000001 close\n"              // 4: out of range
        "99999999999999999999 close\n"    // 5: out of range, past 64 bits
        "soon press Up\n"                 // 6: no frame number
        "6 press Upp\n"                   // 7: unknown key
        "6 press 255\n"                   // 8: no such code
        "6 press\n"                       // 9: no key
        "6 hop\n"                         // 10: unknown command
        "6\n"                             // 11: no command
        "6 move 1\n"                      // 12: one coordinate
        "6 move 1 40000\n"                // 13: past 16 bits
        "6 click 1 2 side\n"              // 14: unknown button
        "6 close now\n"                   // 15: too much
        "6 save\n"                        // 16: no file
        "6 save a\tb\x01.bmp\n"           // 17: control character
        + std::string(5000, ' ') + "x\n"  // 18: too long
        + "6 release Up\n");              // 19: kept, after frame 5
    std::vector<int> lines;
    for (const Problem& problem : script.problems)
        lines.push_back(problem.line);
    EXPECT_EQ(lines,
              (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    EXPECT_EQ(script.problems[0].message, "frame 4 comes after frame 5");
    EXPECT_EQ(script.problems[1].message, "frame number -1 is out of range (0 to 1000000000)");
    EXPECT_EQ(script.problems[4].message, "a line starts with a frame number, not \"soon\"");
    EXPECT_EQ(script.problems[5].message, "unknown key \"Upp\"");
    EXPECT_EQ(Described(script), (std::vector<std::string>{"5@1 5 press Up", "6@19 6 release Up"}));
}

TEST(ScriptFormat, WrittenLinesReadBackAsTheSameEvents) {
    std::vector<Event> events;
    const auto add = [&](long long frame, EventKind kind, int key, int x, int y,
                         std::string path = {}) {
        Event event;
        event.frame = frame;
        event.kind = kind;
        event.key = key;
        event.x = x;
        event.y = y;
        event.path = std::move(path);
        events.push_back(event);
    };
    add(0, EventKind::kPress, VK_LSHIFT, 0, 0);
    add(0, EventKind::kPress, 0xE2, 0, 0);  // no name: written as a code
    add(1, EventKind::kRelease, VK_RBUTTON, 0, 0);
    add(2, EventKind::kMove, 0, -32768, 32767);
    add(2, EventKind::kClick, VK_MBUTTON, 7, 8);
    add(3, EventKind::kClose, 0, 0, 0);
    add(kMaxFrame, EventKind::kSave, 0, 0, 0, "out/last frame.bmp");
    std::string text;
    for (const Event& event : events)
        text += FormatEvent(event) + "\n";
    EXPECT_NE(text.find("0 press 0xE2\n"), std::string::npos) << text;

    const Script read = Parse(text);
    ASSERT_TRUE(read.problems.empty()) << read.problems[0].message;
    ASSERT_EQ(read.events.size(), events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(read.events[i].frame, events[i].frame) << i;
        EXPECT_EQ(read.events[i].kind, events[i].kind) << i;
        EXPECT_EQ(FormatEvent(read.events[i]), FormatEvent(events[i])) << i;
    }
}

TEST(KeyNames, NamesAndCodesAndTheMessagesTheyMake) {
    int key = 0;
    EXPECT_TRUE(ParseKey("esc", key));
    EXPECT_EQ(key, VK_ESCAPE);
    EXPECT_TRUE(ParseKey("0x1B", key));
    EXPECT_EQ(key, VK_ESCAPE);
    EXPECT_TRUE(ParseKey("113", key));
    EXPECT_EQ(key, VK_F2);
    EXPECT_TRUE(ParseKey("7", key));  // a code, not the digit key
    EXPECT_EQ(key, 7);
    EXPECT_TRUE(ParseKey("Digit0", key));
    EXPECT_EQ(key, '0');
    EXPECT_TRUE(ParseKey("z", key));
    EXPECT_EQ(key, 'Z');
    for (const char* bad : {"", "0", "255", "0x", "0x100", "-5", "+5", "F13", "Escape2", "1e2"})
        EXPECT_FALSE(ParseKey(bad, key)) << bad;

    EXPECT_EQ(KeyName(VK_F12), "F12");
    EXPECT_EQ(KeyName(VK_NUMPAD3), "Numpad3");
    EXPECT_EQ(KeyName(VK_RMENU), "RAlt");
    EXPECT_EQ(KeyName(0x07), "0x07");

    // Side keys report the generic code; scan codes and the extended flag
    // are a PC keyboard's, as the host keyboard's messages have them.
    const brannock::platform::HostKey rightShift = KeyOf(VK_RSHIFT);
    EXPECT_EQ(rightShift.virtualKey, VK_SHIFT);
    EXPECT_EQ(rightShift.stateKey, VK_RSHIFT);
    EXPECT_EQ(rightShift.scanCode, 0x36u);
    const brannock::platform::HostKey left = KeyOf(VK_LEFT);
    EXPECT_EQ(left.scanCode, 0x4Bu);
    EXPECT_TRUE(left.extended);
    EXPECT_EQ(KeyOf('A').scanCode, 0x1Eu);
    EXPECT_EQ(KeyOf(VK_F10).scanCode, 0x44u);
    EXPECT_EQ(KeyOf('0').scanCode, 0x0Bu);
    EXPECT_EQ(KeyOf(0x07).scanCode, 0u);
}

}  // namespace
