// The definition-file reader: which lines reach which handler, with what text,
// and the line operations it and its handlers use.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "sprite/text_reader.h"

namespace {

using Calls = std::vector<std::string>;

// Records every handler call as "<kind>:<text>" (D directive, L line, S section).
class RecordingReader : public CTextReader {
  public:
    Calls calls;

    Calls Read(const std::string& bytes, bool strip = true) {
        calls.clear();
        EXPECT_TRUE(LoadFromMemory(bytes.data(), bytes.size(), strip));
        return calls;
    }

  protected:
    void OnDirective(char* text) override { calls.push_back(std::string("D:") + text); }
    void OnLine(char* line) override { calls.push_back(std::string("L:") + line); }
    void OnSection(char* name) override { calls.push_back(std::string("S:") + name); }
};

TEST(TextReader, LoadsFilesWithEitherLineEndAndRefusesBadPaths) {
    namespace fs = std::filesystem;
    const fs::path previous = fs::current_path();
    const fs::path dir =
        fs::temp_directory_path() / ("sprite_" + std::to_string(std::random_device()()));
    fs::create_directories(dir / "sub");
    fs::current_path(dir);
    std::ofstream("lf.txt", std::ios::binary) << "[A]\n&JUMP A\na.bmp,1\nb.bmp";
    std::ofstream("sub/crlf.txt", std::ios::binary) << "[A]\r\n&JUMP A\r\na.bmp,1\r\nb.bmp";

    RecordingReader lf, crlf, bad;
    EXPECT_TRUE(lf.Load("lf.txt", true));
    EXPECT_TRUE(crlf.Load("sub\\crlf.txt", true));  // Windows-style paths work everywhere
    EXPECT_FALSE(bad.Load(nullptr, true));
    EXPECT_FALSE(bad.Load("", true));
    EXPECT_FALSE(bad.Load("missing.txt", true));
    EXPECT_FALSE(bad.Load("sub", true));
    fs::current_path(previous);
    fs::remove_all(dir);

    EXPECT_EQ(lf.calls, (Calls{"S:A", "D:JUMP A", "L:a.bmp,1", "L:b.bmp"}));
    EXPECT_EQ(crlf.calls, lf.calls);
    EXPECT_TRUE(bad.calls.empty());
}

TEST(TextReader, ClassifiesLinesAfterRemovingBlanks) {
    RecordingReader reader;
    // Blank-only lines, comments (a single slash is enough; Shift-JIS "警告"
    // passes through), blanks inside and around brackets, a missing bracket, the
    // empty name, case kept; directives keep their inner blanks; a tab is no
    // blank.
    EXPECT_EQ(reader.Read("   \r\n\b \n\n; \x8c\x78\x8d\x90\n  // c\n/x\n"
                          " [ ST AND ] tail\n[OPEN\n[]\n[stand]\n a .bmp , 1 ,\b2\n"
                          "  &JUMP  STAND ; x\r\n& JUMP\n \t\n"),
              (Calls{"S:STAND", "S:OPEN", "S:", "S:stand", "L:a.bmp,1,2", "D:JUMP  STAND ; x",
                     "D: JUMP", "L:\t"}));
    // Without stripping, a line only loses its leading blanks and line end.
    EXPECT_EQ(reader.Read("  a.bmp, 1 \r\n \r\n [ A B ]\n  ;c\n", false),
              (Calls{"L:a.bmp, 1 ", "S: A B "}));
}

TEST(TextReader, LongLinesArriveInPiecesOf254Bytes) {
    RecordingReader reader;
    EXPECT_EQ(reader.Read(std::string(300, 'x')),
              (Calls{"L:" + std::string(254, 'x'), "L:" + std::string(46, 'x')}));
    // Each piece is classified on its own.
    EXPECT_EQ(reader.Read(std::string(254, 'y') + "\n" + std::string(253, 'z') + "[P\n"),
              (Calls{"L:" + std::string(254, 'y'), "L:" + std::string(253, 'z') + "[", "L:P"}));
}

TEST(LineOperations, UpperCaseRaisesOnlyPlainLettersOutsideQuotesAndRemarks) {
    const std::pair<std::string, std::string> cases[] = {
        {"jump,stand", "JUMP,STAND"},
        {"a \"quoted\" b", "A \"quoted\" B"},
        {"jump stand;loop", "JUMP STAND;loop"},
        {"ab//cd", "AB//cd"},
        {"\"a;b\"c;d", "\"a;b\"C;d"},
        {"z", "Z"},
        {"", ""},
        // Beside a byte of 0x7F or above (the next one; for the last letter
        // the one before) a letter may be half of a double-byte character.
        {"ab\x81", "Ab\x81"},
        {"\x82\x61", "\x82\x61"},
        {"a\x7f", "a\x7f"}};
    for (auto [text, expected] : cases) {
        CTextReader::UpperCase(text.data());
        EXPECT_EQ(text, expected);
    }
}

TEST(LineOperations, SplitFieldsCutsAtCommasAndSpaces) {
    char line[] = "name,,3 x,";
    char** fields = CTextReader::SplitFields(line);
    const char* expected[] = {"name", "", "3", "x", ""};
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(fields[i], expected[i]);
    for (int i = 5; i < CTextReader::kFieldCount; ++i)
        EXPECT_EQ(fields[i], nullptr);

    std::string many(35, ',');
    fields = CTextReader::SplitFields(many.data());
    EXPECT_STREQ(fields[28], "");
    EXPECT_STREQ(fields[29], ",,,,,,");  // the rest of the line, separators included
}

}  // namespace
