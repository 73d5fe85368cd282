// The reader's toolbox: key/value splitting, quotes and extensions.
#include <gtest/gtest.h>

#include <string>

#include "sprite/text_reader.h"

namespace {

TEST(TextToolbox, Splitting) {
    char b[5][16] = {"", "", "stale"};
    char text[] = "speed = 12;fast";
    CTextReader::SplitToBuffers(text, b[0], b[1], b[2], b[3], b[4]);
    EXPECT_STREQ(b[0], "speed ");
    EXPECT_STREQ(b[1], " 12");
    EXPECT_STREQ(b[2], "");
    EXPECT_STREQ(text, "speed = 12");  // the caller's text is cut at the remark
    char commas[] = "1,2,3,4,5,6,7,8";
    CTextReader::SplitToBuffers(commas, b[0], b[1], b[2], b[3], b[4]);
    EXPECT_STREQ(b[4], "5");

    char area[2][4];
    char pair[] = "ab=longvalue";
    CTextReader::SplitToArray(pair, &area[0][0], 2, 4);
    EXPECT_STREQ(area[1], "lon");  // cut to the stride

    char spaced[] = "  move   left ;note";
    CTextReader::SplitBy(spaced, ' ', b[0], b[1], b[2], b[3], b[4]);
    EXPECT_STREQ(b[0], "move");
    EXPECT_STREQ(b[1], "left");
    EXPECT_STREQ(b[2], "");
    char words[] = "cmd   arg one";
    CTextReader::SplitOnce(words, ' ', b[0], b[1]);
    EXPECT_STREQ(b[1], "arg one");
}

TEST(TextToolbox, QuotesAndExtensions) {
    EXPECT_STREQ(CTextReader::RemoveQuotesAndParens("f(\"x\", (y))"), "fx, y");
    EXPECT_STREQ(CTextReader::GetExtension("pic.old.bmp"), "BMP");
    const std::string longName = "x." + std::string(1000, 'a');
    EXPECT_EQ(CTextReader::GetExtension(longName.c_str()), std::string(1000, 'A'));
    char name[16] = "stand";
    EXPECT_STREQ(CTextReader::AddExtension(name, "bmp"), "stand.bmp");
    EXPECT_STREQ(CTextReader::AddExtension(name, "txt"), "stand.bmp");
}

}  // namespace
