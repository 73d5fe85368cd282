// The reader's toolbox: key/value splitting, quotes and extensions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sprite/text_reader.h"

namespace {

struct Outputs {
    char b[5][64] = {};
};

TEST(TextToolbox, SplitToBuffersTakesKeyAndValueAndCutsTheRemark) {
    char text[] = "speed=12;fast enough";
    Outputs out;
    std::strcpy(out.b[2], "stale");
    CTextReader::SplitToBuffers(text, out.b[0], out.b[1], out.b[2], out.b[3], out.b[4]);
    EXPECT_STREQ(out.b[0], "speed");
    EXPECT_STREQ(out.b[1], "12");
    EXPECT_STREQ(out.b[2], "");  // emptied
    EXPECT_STREQ(text, "speed=12");

    char slashes[] = "a = b // c";
    CTextReader::SplitToBuffers(slashes, out.b[0], out.b[1], nullptr, nullptr, nullptr);
    EXPECT_STREQ(out.b[0], "a ");
    EXPECT_STREQ(out.b[1], " b ");  // blanks are kept
}

TEST(TextToolbox, SplitToBuffersFillsAtMostFiveAndStopsAtANullBuffer) {
    char text[] = "1,2,3,4,5,6,7,8";
    Outputs out;
    CTextReader::SplitToBuffers(text, out.b[0], out.b[1], out.b[2], out.b[3], out.b[4]);
    EXPECT_STREQ(out.b[0], "1");
    EXPECT_STREQ(out.b[4], "5");

    char partial[] = "a,b,c";
    std::strcpy(out.b[2], "stale");
    CTextReader::SplitToBuffers(partial, out.b[0], nullptr, out.b[2], nullptr, nullptr);
    EXPECT_STREQ(out.b[0], "a");
    EXPECT_STREQ(out.b[2], "");  // no field reaches past the null buffer
}

TEST(TextToolbox, SplitToArrayUsesTheStrideAndCutsLongFields) {
    char area[3][4];
    std::memset(area, 'x', sizeof area);
    char text[] = "ab=longvalue";
    CTextReader::SplitToArray(text, &area[0][0], 3, 4);
    EXPECT_STREQ(area[0], "ab");
    EXPECT_STREQ(area[1], "lon");
    EXPECT_STREQ(area[2], "");

    char remark[] = "k,v;x,y";
    CTextReader::SplitToArray(remark, &area[0][0], 3, 4);
    EXPECT_STREQ(area[0], "k");
    EXPECT_STREQ(area[1], "v");
    EXPECT_STREQ(area[2], "");
}

TEST(TextToolbox, SplitByAndSplitOnceHonourTheirSeparator) {
    Outputs out;
    char spaced[] = "  move   left  3 ;note";
    CTextReader::SplitBy(spaced, ' ', out.b[0], out.b[1], out.b[2], out.b[3], out.b[4]);
    EXPECT_STREQ(out.b[0], "move");
    EXPECT_STREQ(out.b[1], "left");
    EXPECT_STREQ(out.b[2], "3");
    EXPECT_STREQ(out.b[3], "");

    char colons[] = " a:b::c";
    CTextReader::SplitBy(colons, ':', out.b[0], out.b[1], out.b[2], out.b[3], out.b[4]);
    EXPECT_STREQ(out.b[0], " a");
    EXPECT_STREQ(out.b[1], "b");
    EXPECT_STREQ(out.b[2], "");
    EXPECT_STREQ(out.b[3], "c");

    char pair[] = " key =value=more";
    CTextReader::SplitOnce(pair, '=', out.b[0], out.b[1]);
    EXPECT_STREQ(out.b[0], " key ");
    EXPECT_STREQ(out.b[1], "value=more");

    char words[] = "cmd   arg one";
    CTextReader::SplitOnce(words, ' ', out.b[0], out.b[1]);
    EXPECT_STREQ(out.b[0], "cmd");
    EXPECT_STREQ(out.b[1], "arg one");

    char remark[] = "lone;x=y";
    CTextReader::SplitOnce(remark, '=', out.b[0], out.b[1]);
    EXPECT_STREQ(out.b[0], "lone");
    EXPECT_STREQ(out.b[1], "");
}

TEST(TextToolbox, SearchingAndQuotes) {
    char text[] = "a,b,c";
    EXPECT_STREQ(CTextReader::FindAfterNth(text, ',', 2), "c");
    EXPECT_EQ(CTextReader::FindAfterNth(text, ',', 3), nullptr);
    char spaces[] = "   x";
    EXPECT_STREQ(CTextReader::SkipSpaces(spaces), "x");

    char out[16];
    CTextReader::Unquote(out, "\"hello\"");
    EXPECT_STREQ(out, "hello");
    CTextReader::Unquote(out, "plain");
    EXPECT_STREQ(out, "plain");
    CTextReader::Unquote(out, "\"");
    EXPECT_STREQ(out, "");

    EXPECT_STREQ(CTextReader::RemoveQuotesAndParens("f(\"x\", (y))"), "fx, y");
}

TEST(TextToolbox, Extensions) {
    EXPECT_TRUE(CTextReader::HasExtension("a.b"));
    EXPECT_FALSE(CTextReader::HasExtension("ab"));
    EXPECT_STREQ(CTextReader::GetExtension("pic.old.bmp"), "BMP");
    EXPECT_STREQ(CTextReader::GetExtension("noext"), "");
    EXPECT_EQ(std::string(CTextReader::GetExtension(("x." + std::string(1000, 'a')).c_str())),
              std::string(1000, 'A'));

    char name[16] = "stand";
    EXPECT_STREQ(CTextReader::AddExtension(name, "bmp"), "stand.bmp");
    EXPECT_STREQ(CTextReader::AddExtension(name, "txt"), "stand.bmp");
}

}  // namespace
