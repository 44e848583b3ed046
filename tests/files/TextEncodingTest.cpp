#include "files/TextEncoding.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace rivetbay
