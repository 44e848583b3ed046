#include "files/TextEncoding.h"

#include <gtest/gtest.h>

#include <utility>

namespace rivetbay {
namespace {

TEST(Windows1252, RoundTripsEveryByteThroughUtf8AndUtf16)
{
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(windows1252FromUtf16(*utf16FromUtf8(utf8FromWindows1252(all))), all);
    EXPECT_EQ(windows1252FromUtf16(utf16FromWindows1252(all)), all);
    EXPECT_EQ(utf8FromWindows1252("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
    EXPECT_EQ(utf16FromWindows1252("\x9F"), u"\u0178");
    EXPECT_EQ(windows1252FromUtf16(u"\u0416-\xD83D\xDE97x\xDC00-\u20AC"), "?-?x?-\x80"); // what it cannot hold
}

TEST(Utf8, OnlyWellFormedTextConverts)
{
    EXPECT_EQ(utf16FromUtf8("\xF0\x9F\x9A\x97\xC3\xA9"), std::u16string(u"\xD83D\xDE97\u00E9"));
    EXPECT_EQ(utf8FromUtf16(u"\xD83D\xDE97\u00E9\xDC00"), "\xF0\x9F\x9A\x97\xC3\xA9\xEF\xBF\xBD");
    for (const char* bad : {"\xC3", "\xC3(", "\xFF", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
        EXPECT_FALSE(utf16FromUtf8(bad)) << bad;
}

// What a terminal is shown of a name: every control character escaped (C0,
// DEL and C1, the first and the last), every letter kept as it is.
TEST(Printable, EscapesControlsAndKeepsLetters)
{
    const std::pair<std::string, std::string> cases[] = {
        {"a\nb\tc\rd", "a\\nb\\tc\\rd"}, {"\x1b[2J", "\\x1b[2J"}, {std::string(1, '\0'), "\\x00"},
        {"\x7f", "\\x7f"},                    {"\xC2\x80", "\\x80"},    {"\xC2\x9F", "\\x9f"},
        {"no\xC2\xA0" "break", "no\xC2\xA0" "break"}, // a letter the game keeps
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(printable(text), shown) << shown;
}

// Names that differ only in letter case are one name on a disk that ignores
// case; a name that is not UTF-8 folds its ASCII letters and keeps its bytes.
TEST(FileNames, FoldLetterCaseAsADiskThatIgnoresIt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"VGOON4.RBC", "vgoon4.rbc"},  {"\xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9"}, // ÉTÉ
        {"\xCE\xA9", "\xCF\x89"},      {"\xD0\x96", "\xD0\xB6"},                  // Ω, Ж
        {"\xC5\xBD", "\xC5\xBE"},      {"\xC3\x9F", "\xC3\x9F"},                  // Ž; ß has no capital here
        {"CAF\xC9.RBC", "caf\xC9.rbc"}, // Latin-1, as an old archive unpacks it
    };
    for (const auto& [name, folded] : cases) EXPECT_EQ(fileNameFolded(name), folded) << folded;
}

} // namespace
} // namespace rivetbay
