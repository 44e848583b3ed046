#include "files/TextEncoding.h"

#include "files/AsciiCase.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace rivetbay {

namespace {

// 0x80-0x9F; 0 marks the five bytes the code page leaves undefined, which
// decode to the C1 control of the same value.
constexpr std::array<char16_t, 32> highControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t decode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0 && highControls[byte - 0x80] != 0)
        return highControls[byte - 0x80];
    return byte;
}

char encode(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < highControls.size(); ++i) {
        const char16_t mapped = highControls[i];
        if ((mapped != 0 && mapped == cp) || (mapped == 0 && cp == 0x80 + i))
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::u16string utf16FromWindows1252(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out += decode(static_cast<unsigned char>(c));
    return out;
}

std::string utf8FromWindows1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) appendUtf8(out, decode(static_cast<unsigned char>(c)));
    return out;
}

std::string windows1252FromUtf16(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            ++i; // a pair is one character, outside the code page
            out += '?';
        } else if (unit >= 0xD800 && unit < 0xE000) {
            out += '?';
        } else {
            out += encode(unit);
        }
    }
    return out;
}

bool inWindows1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return true;
    for (std::size_t i = 0; i < highControls.size(); ++i)
        if (highControls[i] != 0 ? highControls[i] == cp : cp == 0x80 + i) return true;
    return false;
}

std::string windows1252FromUtf8(std::string_view text)
{
    if (const auto wide = utf16FromUtf8(text)) return windows1252FromUtf16(*wide);
    std::string out;
    for (char c : text) out += static_cast<unsigned char>(c) < 0x80 ? c : '?';
    return out;
}

std::string utf8FromUtf16(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD; // half a pair
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::optional<std::u16string> utf16FromUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t extra = lead < 0x80           ? 0
                                  : (lead >> 5) == 0x06 ? 1
                                  : (lead >> 4) == 0x0E ? 2
                                  : (lead >> 3) == 0x1E ? 3
                                                        : 4;
        if (extra == 4 || extra >= text.size() - i + (extra == 0 ? 1 : 0)) return std::nullopt;
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are not UTF-8.
        constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < smallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
            return std::nullopt;
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += extra + 1;
    }
    return out;
}

std::filesystem::path pathFromUtf8(std::string_view text)
{
#ifdef _WIN32
    const auto wide = utf16FromUtf8(text);
    if (!wide) return std::filesystem::path(std::wstring(text.begin(), text.end()));
    return std::filesystem::path(std::wstring(wide->begin(), wide->end()));
#else
    return std::filesystem::path(std::string(text));
#endif
}

std::string utf8FromPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    const std::wstring& wide = path.native();
    return utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
#else
    return path.native();
#endif
}

char foldCase1252(char c)
{
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
    switch (b) {
    case 0x8A:
        return static_cast<char>(0x9A); // S caron
    case 0x8C:
        return static_cast<char>(0x9C); // OE
    case 0x8E:
        return static_cast<char>(0x9E); // Z caron
    case 0x9F:
        return static_cast<char>(0xFF); // Y diaeresis
    default:
        return c;
    }
}

bool equalsIgnoringCase1252(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase1252(a[i]) != foldCase1252(b[i])) return false;
    return true;
}

namespace {
char16_t lowerForFileNames(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if (c == 0x178) return 0xFF; // Ÿ
    // Latin Extended-A: capitals even, then odd from Ĺ to Ň and from Ź to Ž.
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F && (c % 2 == 1) == oddCapitals)
        return c + 1;
    if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    return c;
}
} // namespace

std::string fileNameFolded(std::string_view utf8)
{
    std::optional<std::u16string> wide = utf16FromUtf8(utf8);
    if (!wide) return asciiLowered(std::string(utf8));
    for (char16_t& c : *wide) c = lowerForFileNames(c);
    return utf8FromUtf16(*wide);
}

std::string printable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        // A C1 control is two bytes of UTF-8: C2 80 to C2 9F.
        const bool c1 = c == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c >= 0x20 && c != 0x7F && !c1) {
            out += text[i];
            continue;
        }
        const unsigned code = c1 ? static_cast<unsigned char>(text[++i]) : c;
        switch (code) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default: {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", code);
            out += escaped;
        }
        }
    }
    return out;
}

} // namespace rivetbay
