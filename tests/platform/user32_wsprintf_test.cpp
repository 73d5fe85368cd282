// wsprintfA as Windows formats: the conversions and size prefixes Windows
// documents, with 32-bit LONG arguments behind l on every platform.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32.h"

namespace {

std::string Format(const char* format, auto... args) {
    char buffer[1100] = {};
    const int n = wsprintfA(buffer, format, args...);
    EXPECT_EQ(n, static_cast<int>(std::string(buffer).size()));
    return buffer;
}

TEST(User32Wsprintf, FormatsTheWindowsConversions) {
    EXPECT_EQ(Format("AUTO=%d WAIT=%d", 1, 0), "AUTO=1 WAIT=0");
    EXPECT_EQ(Format("%i|%u|%x|%X", -42, 4000000000u, 255, 0xABu), "-42|4000000000|ff|AB");
    EXPECT_EQ(Format("%5d|%-5d|%05d|%.3d", 42, 42, -42, 7), "   42|42   |-0042|007");
    EXPECT_EQ(Format("%s|%.2s|%6s|%-3s|", "abc", "abc", "ab", "a"), "abc|ab|    ab|a  |");
    EXPECT_EQ(Format("%c%c|%%|%q", 'o', 'k'), "ok|%|q");
    EXPECT_EQ(Format("%s", static_cast<const char*>(nullptr)), "(null)");
    EXPECT_EQ(Format("KEEP STYLE %d\n", static_cast<int>(0x80CF0000u)), "KEEP STYLE -2133917696\n");
    EXPECT_EQ(Format("%d", -2147483647 - 1), "-2147483648");
    // A number's precision of 0 still shows one digit; a cut-off format
    // at the end prints nothing.
    EXPECT_EQ(Format("[%.0d][%.d][%5.0x]", 0, 0, 0), "[0][0][    0]");
    EXPECT_EQ(Format("end%"), "end");
}

TEST(User32Wsprintf, SizePrefixesTakeLongsAsThirtyTwoBitsAndI64AsSixtyFour) {
    EXPECT_EQ(Format("%#x|%08lx|%ld|%lu", 255, static_cast<ULONG>(0xBEEF), static_cast<LONG>(-5),
                     static_cast<ULONG>(7)),
              "0xff|0000beef|-5|7");
    EXPECT_EQ(Format("%ld|%lu|%lX", static_cast<LONG>(-5), static_cast<ULONG>(4000000000u),
                     static_cast<LONG>(-1)),
              "-5|4000000000|FFFFFFFF");
    EXPECT_EQ(Format("%I64d|%I64u|%I64x|%d", static_cast<LONGLONG>(-5000000000LL),
                     static_cast<ULONGLONG>(18446744073709551615ULL),
                     static_cast<ULONGLONG>(0x123456789ABULL), 7),
              "-5000000000|18446744073709551615|123456789ab|7");
}

TEST(User32Wsprintf, OutputStopsAtTheDocumentedBufferSize) {
    // 1023 characters and the terminator; Wine counts the terminator.
    const std::string big(2000, 'x');
    char buffer[1100];
    for (const int n : {wsprintfA(buffer, "%s", big.c_str()), wsprintfA(buffer, "%2000d", 1)}) {
        EXPECT_EQ(std::string(buffer).size(), 1023u);
        EXPECT_GE(n, 1023);
        EXPECT_LE(n, 1024);
    }
}

}  // namespace
