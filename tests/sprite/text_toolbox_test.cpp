// The reader's toolbox: key/value splitting, quotes and extensions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sprite/text_reader.h"

namespace {

TEST(TextToolbox, SplitToBuffersAndSplitToArray) {
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
    char partial[] = "a,b//c";
    CTextReader::SplitToBuffers(partial, b[0], nullptr, b[2], nullptr, nullptr);
    EXPECT_STREQ(b[0], "a");
    EXPECT_STREQ(b[2], "");  // nothing reaches past a null buffer

    char area[3][4];
    std::memset(area, 'x', sizeof area);
    char pair[] = "ab=longvalue";
    CTextReader::SplitToArray(pair, &area[0][0], 3, 4);
    EXPECT_STREQ(area[0], "ab");
    EXPECT_STREQ(area[1], "lon");  // cut to the stride
    EXPECT_STREQ(area[2], "");
}

TEST(TextToolbox, SplitByAndSplitOnce) {
    char b[5][16];
    char spaced[] = "  move   left  3 ;note";
    CTextReader::SplitBy(spaced, ' ', b[0], b[1], b[2], b[3], b[4]);
    EXPECT_STREQ(b[0], "move");
    EXPECT_STREQ(b[1], "left");
    EXPECT_STREQ(b[2], "3");
    EXPECT_STREQ(b[3], "");

    char words[] = "cmd   arg one";
    CTextReader::SplitOnce(words, ' ', b[0], b[1]);
    EXPECT_STREQ(b[0], "cmd");
    EXPECT_STREQ(b[1], "arg one");
    char remark[] = "lone;x=y";
    CTextReader::SplitOnce(remark, '=', b[0], b[1]);
    EXPECT_STREQ(b[0], "lone");
    EXPECT_STREQ(b[1], "");
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
