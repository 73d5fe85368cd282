#include "platform/backend/script/key_names.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <vector>

#include "platform/user32/user32.h"

namespace brannock::platform::script {
namespace {

struct NamedKey {
    std::string name;
    int virtualKey;
    UINT scanCode;
    bool extended;
};

// The first name of a key is the one a script writes; later ones are
// accepted too. Scan codes and extended flags as a US PC keyboard has them.
std::vector<NamedKey> MakeTable() {
    std::vector<NamedKey> keys = {
        {"Escape", VK_ESCAPE, 0x01, false},
        {"Esc", VK_ESCAPE, 0x01, false},
        {"Enter", VK_RETURN, 0x1C, false},
        {"Return", VK_RETURN, 0x1C, false},
        {"Space", VK_SPACE, 0x39, false},
        {"Tab", VK_TAB, 0x0F, false},
        {"Backspace", VK_BACK, 0x0E, false},
        {"Left", VK_LEFT, 0x4B, true},
        {"Up", VK_UP, 0x48, true},
        {"Right", VK_RIGHT, 0x4D, true},
        {"Down", VK_DOWN, 0x50, true},
        {"Insert", VK_INSERT, 0x52, true},
        {"Delete", VK_DELETE, 0x53, true},
        {"Home", VK_HOME, 0x47, true},
        {"End", VK_END, 0x4F, true},
        {"PageUp", VK_PRIOR, 0x49, true},
        {"PageDown", VK_NEXT, 0x51, true},
        {"Shift", VK_SHIFT, 0x2A, false},
        {"Ctrl", VK_CONTROL, 0x1D, false},
        {"Control", VK_CONTROL, 0x1D, false},
        {"Alt", VK_MENU, 0x38, false},
        {"LShift", VK_LSHIFT, 0x2A, false},
        {"RShift", VK_RSHIFT, 0x36, false},
        {"LCtrl", VK_LCONTROL, 0x1D, false},
        {"RCtrl", VK_RCONTROL, 0x1D, true},
        {"LAlt", VK_LMENU, 0x38, false},
        {"RAlt", VK_RMENU, 0x38, true},
        {"CapsLock", VK_CAPITAL, 0x3A, false},
        {"NumLock", VK_NUMLOCK, 0x45, true},
        {"ScrollLock", VK_SCROLL, 0x46, false},
        {"Pause", VK_PAUSE, 0x45, false},
        {"PrintScreen", VK_SNAPSHOT, 0x37, true},
        {"Multiply", VK_MULTIPLY, 0x37, false},
        {"Add", VK_ADD, 0x4E, false},
        {"Subtract", VK_SUBTRACT, 0x4A, false},
        {"Decimal", VK_DECIMAL, 0x53, false},
        {"Divide", VK_DIVIDE, 0x35, true},
        {"LWin", VK_LWIN, 0x5B, true},
        {"RWin", VK_RWIN, 0x5C, true},
        {"Apps", VK_APPS, 0x5D, true},
        {"Semicolon", VK_OEM_1, 0x27, false},
        {"Equals", VK_OEM_PLUS, 0x0D, false},
        {"Comma", VK_OEM_COMMA, 0x33, false},
        {"Minus", VK_OEM_MINUS, 0x0C, false},
        {"Period", VK_OEM_PERIOD, 0x34, false},
        {"Slash", VK_OEM_2, 0x35, false},
        {"Backquote", VK_OEM_3, 0x29, false},
        {"LBracket", VK_OEM_4, 0x1A, false},
        {"Backslash", VK_OEM_5, 0x2B, false},
        {"RBracket", VK_OEM_6, 0x1B, false},
        {"Quote", VK_OEM_7, 0x28, false},
        {"LButton", VK_LBUTTON, 0, false},
        {"RButton", VK_RBUTTON, 0, false},
        {"MButton", VK_MBUTTON, 0, false},
    };
    static constexpr std::array<UINT, 26> kLetterScan = {
        0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
        0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    for (int i = 0; i < 26; ++i)
        keys.push_back(
            {std::string(1, static_cast<char>('A' + i)), 'A' + i, kLetterScan[i], false});
    // A bare number is a code, so the digit row has names of its own.
    for (int i = 0; i < 10; ++i)
        keys.push_back({"Digit" + std::to_string(i), '0' + i, i == 0 ? 0x0Bu : 0x01u + i, false});
    static constexpr std::array<UINT, 10> kNumpadScan = {0x52, 0x4F, 0x50, 0x51, 0x4B,
                                                         0x4C, 0x4D, 0x47, 0x48, 0x49};
    for (int i = 0; i < 10; ++i)
        keys.push_back({"Numpad" + std::to_string(i), VK_NUMPAD0 + i, kNumpadScan[i], false});
    for (int i = 0; i < 12; ++i) {
        const UINT scan = i < 10 ? 0x3Bu + i : 0x57u + (i - 10);
        keys.push_back({"F" + std::to_string(i + 1), VK_F1 + i, scan, false});
    }
    return keys;
}

const std::vector<NamedKey>& Table() {
    static const std::vector<NamedKey> table = MakeTable();
    return table;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

const NamedKey* Find(int virtualKey) {
    for (const NamedKey& key : Table())
        if (key.virtualKey == virtualKey) return &key;
    return nullptr;
}

}  // namespace

bool ParseKey(std::string_view text, int& virtualKey) {
    for (const NamedKey& key : Table()) {
        if (SameLetters(text, key.name)) {
            virtualKey = key.virtualKey;
            return true;
        }
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    int code = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || code < 1 ||
        code > 254)
        return false;
    virtualKey = code;
    return true;
}

std::string KeyName(int virtualKey) {
    if (const NamedKey* key = Find(virtualKey)) return key->name;
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(virtualKey & 0xFF));
    return code;
}

HostKey KeyOf(int virtualKey) {
    HostKey key{virtualKey, virtualKey, 0, false};
    if (const NamedKey* named = Find(virtualKey)) {
        key.scanCode = named->scanCode;
        key.extended = named->extended;
    }
    switch (virtualKey) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            key.virtualKey = VK_SHIFT;
            break;
        case VK_LCONTROL:
        case VK_RCONTROL:
            key.virtualKey = VK_CONTROL;
            break;
        case VK_LMENU:
        case VK_RMENU:
            key.virtualKey = VK_MENU;
            break;
        default:
            break;
    }
    return key;
}

bool IsMouseButton(int virtualKey) {
    return virtualKey == VK_LBUTTON || virtualKey == VK_RBUTTON || virtualKey == VK_MBUTTON;
}

}  // namespace brannock::platform::script
