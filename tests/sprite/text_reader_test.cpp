// The definition-file reader: which lines reach which handler, with what text.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sprite/text_reader.h"
#include "tests/sprite/scratch_dir.h"

namespace {

// Records every handler call as "<kind>:<text>" (D directive, L line, S section).
class RecordingReader : public CTextReader {
  public:
    std::vector<std::string> calls;

    std::vector<std::string> Read(std::string_view bytes, bool strip = true) {
        calls.clear();
        EXPECT_TRUE(LoadFromMemory(bytes.data(), bytes.size(), strip));
        return calls;
    }

  protected:
    void OnDirective(char* text) override { calls.push_back(std::string("D:") + text); }
    void OnLine(char* line) override { calls.push_back(std::string("L:") + line); }
    void OnSection(char* name) override { calls.push_back(std::string("S:") + name); }
};

using Calls = std::vector<std::string>;

TEST(TextReader, LfAndCrLfFilesReadAlikeAndTheLastLineNeedsNoLineEnd) {
    ScratchDir dir;
    const std::string lf = dir.Write("lf.txt", "[A]\n&JUMP A\na.bmp,1,2\nb.bmp");
    const std::string crlf = dir.Write("crlf.txt", "[A]\r\n&JUMP A\r\na.bmp,1,2\r\nb.bmp");
    const Calls expected = {"S:A", "D:JUMP A", "L:a.bmp,1,2", "L:b.bmp"};

    RecordingReader reader;
    ASSERT_TRUE(reader.Load(lf.c_str(), true));
    EXPECT_EQ(reader.calls, expected);
    reader.calls.clear();
    ASSERT_TRUE(reader.Load(crlf.c_str(), true));
    EXPECT_EQ(reader.calls, expected);
}

TEST(TextReader, LoadFailsWithoutCallingHandlersForBadPaths) {
    ScratchDir dir;
    RecordingReader reader;
    EXPECT_FALSE(reader.Load(nullptr, true));
    EXPECT_FALSE(reader.Load("", true));
    EXPECT_FALSE(reader.Load((dir.path() / "missing.txt").string().c_str(), true));
    EXPECT_FALSE(reader.Load(dir.path().string().c_str(), true));  // a folder
    EXPECT_FALSE(reader.LoadFromMemory(nullptr, 4, true));
    EXPECT_TRUE(reader.calls.empty());
}

TEST(TextReader, AcceptsWindowsStylePaths) {
    ScratchDir dir;
    dir.Write("sub/def.txt", "[W]\n");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    RecordingReader reader;
    const bool loaded = reader.Load("sub\\def.txt", true);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(reader.calls, Calls{"S:W"});
}

TEST(TextReader, BlankAndCommentLinesAreSkipped) {
    RecordingReader reader;
    // Blank-only lines, comments after leading blanks, a single slash and
    // Shift-JIS bytes ("\x8c\x78\x8d\x90" is a two-character word) in a
    // comment; a tab is no blank, so a tab line is an image line.
    const Calls calls =
        reader.Read("   \r\n\b \n\n; note \x8c\x78\x8d\x90\n  // c\n/x\n \t\n[A]\n");
    EXPECT_EQ(calls, (Calls{"L:\t", "S:A"}));
}

TEST(TextReader, StripRemovesBlanksAnywhereButDirectivesKeepThem) {
    RecordingReader reader;
    const Calls calls = reader.Read(
        " [ ST AND ] tail\n[NOCLOSE\n[]\n[stand]\n a .bmp , 1 ,\b2\n"
        "  &JUMP  STAND ; x\r\n& JUMP\n\x8c\x78.bmp\n");
    EXPECT_EQ(calls, (Calls{"S:STAND", "S:NOCLOSE", "S:", "S:stand", "L:a.bmp,1,2",
                            "D:JUMP  STAND ; x", "D: JUMP", "L:\x8c\x78.bmp"}));
}

TEST(TextReader, WithoutStripOnlyLeadingBlanksAndLineEndGo) {
    RecordingReader reader;
    const Calls calls = reader.Read("  a.bmp, 1 \r\n \r\n [ A B ]\n  ;c\n", false);
    EXPECT_EQ(calls, (Calls{"L:a.bmp, 1 ", "S: A B "}));
}

TEST(TextReader, LongLinesArriveInPiecesOf254Bytes) {
    RecordingReader reader;
    const std::string line(300, 'x');
    const Calls calls = reader.Read(line);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "L:" + std::string(254, 'x'));
    EXPECT_EQ(calls[1], "L:" + std::string(46, 'x'));

    // Each piece is classified on its own; a piece that is only the line end
    // of a 254-byte line is blank.
    const Calls split = reader.Read(std::string(254, 'y') + "\n" + std::string(253, 'z') + "[P\n");
    EXPECT_EQ(split,
              (Calls{"L:" + std::string(254, 'y'), "L:" + std::string(253, 'z') + "[", "L:P"}));
}

TEST(TextReader, ANulByteEndsTheLineItStandsIn) {
    RecordingReader reader;
    const Calls calls = reader.Read(std::string("[A\0junk]\nb.bmp\n", 15));
    EXPECT_EQ(calls, (Calls{"S:A", "L:b.bmp"}));
}

TEST(LineOperations, TrimStripAndCut) {
    char trimmed[] = " \b abc d\r\nxyz";
    EXPECT_STREQ(CTextReader::TrimLine(trimmed), "abc d");

    char stripped[] = " a b\bc\td \r\ne f";
    CTextReader::StripBlanks(stripped);
    EXPECT_STREQ(stripped, "abc\td");

    char cut[] = "ab]cd]ef";
    CTextReader::CutAt(cut, ']');
    EXPECT_STREQ(cut, "ab");
    EXPECT_STREQ(cut + 3, "cd");  // later occurrences are cut too
}

TEST(LineOperations, UpperCaseRaisesOnlyPlainLettersOutsideQuotesAndRemarks) {
    auto upper = [](std::string text) {
        CTextReader::UpperCase(text.data());
        return text;
    };
    EXPECT_EQ(upper("jump,stand"), "JUMP,STAND");
    EXPECT_EQ(upper("a \"quoted\" b"), "A \"quoted\" B");
    EXPECT_EQ(upper("jump stand;loop"), "JUMP STAND;loop");
    EXPECT_EQ(upper("ab//cd"), "AB//cd");
    EXPECT_EQ(upper("\"a;b\"c;d"), "\"a;b\"C;d");
    EXPECT_EQ(upper("z"), "Z");
    EXPECT_EQ(upper(""), "");
    // A letter beside a byte of 0x7F or more may be half of a double-byte
    // character: the following byte counts, for the last byte the one before.
    EXPECT_EQ(upper("ab\x81"), "Ab\x81");
    EXPECT_EQ(upper("\x82\x61"), "\x82\x61");
    EXPECT_EQ(upper("a\x7f"), "a\x7f");
}

TEST(LineOperations, SplitFieldsCutsAtCommasAndSpaces) {
    char line[] = "name,,3";
    char** fields = CTextReader::SplitFields(line);
    EXPECT_STREQ(fields[0], "name");
    EXPECT_STREQ(fields[1], "");
    EXPECT_STREQ(fields[2], "3");
    for (int i = 3; i < CTextReader::kFieldCount; ++i)
        EXPECT_EQ(fields[i], nullptr);

    char trailing[] = "a b,";
    fields = CTextReader::SplitFields(trailing);
    EXPECT_STREQ(fields[1], "b");
    EXPECT_STREQ(fields[2], "");
    EXPECT_EQ(fields[3], nullptr);

    std::string many(35, ',');
    fields = CTextReader::SplitFields(many.data());
    EXPECT_STREQ(fields[28], "");
    EXPECT_STREQ(fields[29], ",,,,,,");  // the rest of the line, separators included

    char single[] = "alone";
    fields = CTextReader::SplitFields(single);
    EXPECT_STREQ(fields[0], "alone");
    EXPECT_EQ(fields[1], nullptr);
}

}  // namespace
