#include <gtest/gtest.h>

#include "platform/kernel32/cp932.h"

namespace {

using brannock::platform::Cp932ToUtf8;
using brannock::platform::Utf8ToCp932;

TEST(Cp932, TheProgramsTextsConvertBothWays) {
    const std::pair<std::string, std::string> texts[] = {
        {"\x8c\x78\x8d\x90", "警告"},
        {"XSprite\x83\x4e\x83\x89\x83\x58", "XSpriteクラス"},  // ASCII and full-width katakana
        {"\xb1\xb2", "ｱｲ"},  // half-width katakana are single bytes
        {"2\x82\xc2\x88\xc8\x8f\xe3"
         "CSystem\x83N\x83\x89\x83X\x82\xf0\x8eg\x82\xa4\x82\xb1\x82\xc6\x82\xcd"
         "\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81"
         "B",
         "2つ以上CSystemクラスを使うことはできません。"},
        {"", ""}};
    for (const auto& [cp932, utf8] : texts) {
        EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
        EXPECT_EQ(Utf8ToCp932(utf8), cp932);
    }
}

TEST(Cp932, UndecodableBytesBecomeReplacementCharacters) {
    const std::string replacement = "\xEF\xBF\xBD";
    // A lead byte at the end has no trail byte.
    EXPECT_EQ(Cp932ToUtf8("ab\x8c"), "ab" + replacement);
    // A lead byte before a byte that cannot trail costs one replacement and
    // keeps the byte after it.
    EXPECT_EQ(Cp932ToUtf8("\x81\x20x"), replacement + " x");
    EXPECT_EQ(Cp932ToUtf8("\xff\x8c\x78\x8d\x90"), replacement + "警告");
    const std::string withNul("a\0b", 3);
    EXPECT_EQ(Cp932ToUtf8(withNul), withNul);
}

TEST(Cp932, UnencodableTextBecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");         // a character code page 932 lacks
    EXPECT_EQ(Utf8ToCp932("a\xC3(b"), "a?(b");    // a bad sequence costs its lead byte
    EXPECT_EQ(Utf8ToCp932("\xE8\xAD"), "??");     // cut short at the end
    EXPECT_EQ(Utf8ToCp932("\xEF\xBF\xBD"), "?");  // U+FFFD itself
}

}  // namespace
