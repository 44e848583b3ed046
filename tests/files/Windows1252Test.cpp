#include "files/Windows1252.h"

#include <gtest/gtest.h>

namespace rivetbay {
namespace {

TEST(Windows1252, RoundTripsEveryByteThroughUtf8AndUtf16)
{
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(windows1252FromUtf8(utf8FromWindows1252(all)), all);
    EXPECT_EQ(windows1252FromUtf16(utf16FromWindows1252(all)), all);
}

TEST(Windows1252, DecodesTheHighRange)
{
    EXPECT_EQ(utf8FromWindows1252("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(utf8FromWindows1252("\xE9"), "\xC3\xA9");
    EXPECT_EQ(utf16FromWindows1252("\x9F"), u"\u0178");
}

TEST(Windows1252, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(windows1252FromUtf8("Ж-\xF0\x9F\x9A\x97-\xE2\x82\xAC"), "?-?-\x80");
    EXPECT_EQ(windows1252FromUtf16(u"\xD83D\xDE97x\xDC00"), "?x?");
    EXPECT_EQ(windows1252FromUtf8("\xC3"), "?");          // cut short
    EXPECT_EQ(windows1252FromUtf8("\xC3(x"), "?(x");       // bad continuation
    EXPECT_EQ(windows1252FromUtf8("\xFF\xFE"), "??");
}

TEST(Windows1252, CaseFolding)
{
    EXPECT_TRUE(equalsIgnoringCase1252("Road Hog", "rOAD hOG"));
    EXPECT_TRUE(equalsIgnoringCase1252("\xC0\x8A\x9F", "\xE0\x9A\xFF"));
    EXPECT_FALSE(equalsIgnoringCase1252("\xD7", "\xF7")); // multiply and divide signs
    EXPECT_FALSE(equalsIgnoringCase1252("Road", "Road Hog"));
}

} // namespace
} // namespace rivetbay
