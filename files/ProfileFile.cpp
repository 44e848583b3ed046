#include "files/ProfileFile.h"

#include "files/AsciiCase.h"
#include "files/PlatformFile.h"
#include "files/SafeWrite.h"
#include "files/TextEncoding.h"

#include <cerrno>
#include <optional>
#include <span>
#include <vector>

namespace rivetbay {

namespace {

struct Line {
    std::size_t begin; // offset of the first character
    std::size_t end;   // offset of the line break (or the text's end)
    std::size_t next;  // offset after the line break
};

std::vector<Line> splitLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) {
            lines.push_back({at, text.size(), text.size()});
            break;
        }
        std::size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
        lines.push_back({at, end, next});
        at = next;
    }
    return lines;
}

std::string_view trim(std::string_view s)
{
    constexpr std::string_view blanks = " \t";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// "[name]" gives the name; anything else is not a section header.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

// The key of a "key=value" line, or nothing.
std::optional<std::string_view> keyOf(std::string_view line)
{
    // A comment's key begins with ";" and so never matches a name.
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return trim(line.substr(0, eq));
}

struct Located {
    bool sectionFound = false;
    std::size_t sectionEnd = 0; // where a new key is inserted: after the section's last line
    std::optional<Line> keyLine;
};

Located locate(std::string_view text, const std::vector<Line>& lines, std::string_view section,
               std::string_view key)
{
    Located found;
    bool inside = false;
    for (const Line& line : lines) {
        const std::string_view content = text.substr(line.begin, line.end - line.begin);
        if (const auto name = sectionName(content)) {
            if (found.sectionFound && inside) break; // the next section begins
            inside = equalsIgnoringAsciiCase(*name, section);
            if (inside) {
                found.sectionFound = true;
                found.sectionEnd = line.next;
            }
            continue;
        }
        if (!inside) continue;
        if (!trim(content).empty()) found.sectionEnd = line.next;
        const auto k = keyOf(content);
        if (k && equalsIgnoringAsciiCase(*k, key) && !found.keyLine) found.keyLine = line;
    }
    return found;
}

std::string_view lineBreakOf(std::string_view text)
{
    const auto at = text.find_first_of("\r\n");
    if (at != std::string_view::npos && text[at] == '\n') return "\n";
    return "\r\n"; // the platform's own form, and the default for a new file
}

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";

// The text's value of a quoted or bare "key=value" line.
std::string_view unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// What stands after the "=" of a key's line, trimmed, quotes and all.
std::string_view valueTextOf(std::string_view text, const Line& line)
{
    const std::string_view content = text.substr(line.begin, line.end - line.begin);
    return trim(content.substr(content.find('=') + 1));
}

// A value written so that reading it back gives it exactly: quoted when the
// reader would otherwise trim or unquote it, or when its line was quoted.
std::string storedForm(std::string_view value, bool wasQuoted)
{
    const bool blankEnds = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                              value.back() == ' ' || value.back() == '\t');
    const bool looksQuoted = unquoted(value).size() != value.size();
    if (blankEnds || looksQuoted || (wasQuoted && !value.empty()))
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

// UTF-16 bytes after the mark, in the file's byte order, as UTF-8.
std::string utf8FromUtf16Bytes(std::string_view bytes, bool bigEndian)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]),
                   b = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    return utf8FromUtf16(units);
}

// Nothing when the text is not UTF-8, which such a file cannot hold.
std::optional<std::string> utf16BytesFromUtf8(std::string_view text, bool bigEndian)
{
    const auto units = utf16FromUtf8(text);
    if (!units) return std::nullopt;
    std::string out;
    for (char16_t u : *units) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

std::optional<std::string> encoded(const ProfileFile& file, const std::string& text)
{
    switch (file.encoding) {
    case ProfileEncoding::Bytes:
        return text;
    case ProfileEncoding::Utf8Mark:
        return std::string(utf8Mark) + text;
    case ProfileEncoding::Utf16LittleEndian:
    case ProfileEncoding::Utf16BigEndian: {
        const bool big = file.encoding == ProfileEncoding::Utf16BigEndian;
        auto body = utf16BytesFromUtf8(text, big);
        if (!body) return std::nullopt;
        return std::string(big ? "\xFE\xFF" : "\xFF\xFE") + *body;
    }
    }
    return std::nullopt;
}

} // namespace

std::string profileStringIn(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view fallback)
{
    const auto lines = splitLines(text);
    const Located found = locate(text, lines, section, key);
    if (!found.keyLine) return std::string(fallback.substr(0, profileValueLimit));
    const std::string_view value = unquoted(valueTextOf(text, *found.keyLine));
    return std::string(value.substr(0, profileValueLimit));
}

ProfileFile readProfileFile(const std::filesystem::path& path)
{
    ProfileFile file;
    platform::InputFile input;
    if (const int e = input.open(path); e != 0) {
        file.state = e == ENOENT ? ProfileFile::State::Missing : ProfileFile::State::Unreadable;
        return file;
    }
    file.state = ProfileFile::State::Unreadable;
    if (input.size() > profileFileLimit) return file;
    std::string bytes(static_cast<std::size_t>(input.size()), '\0');
    std::size_t got = 0;
    if (input.readFully(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size(), got) != 0)
        return file;
    bytes.resize(got);
    file.state = ProfileFile::State::Read;
    if (bytes.starts_with(utf8Mark)) {
        file.encoding = ProfileEncoding::Utf8Mark;
        file.text = bytes.substr(utf8Mark.size());
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        const bool big = bytes[0] == '\xFE';
        file.encoding = big ? ProfileEncoding::Utf16BigEndian : ProfileEncoding::Utf16LittleEndian;
        file.text = utf8FromUtf16Bytes(std::string_view(bytes).substr(2), big);
    } else {
        file.text = std::move(bytes);
    }
    return file;
}

std::string withProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view value)
{
    const auto lines = splitLines(text);
    const Located found = locate(text, lines, section, key);
    const std::string_view br = lineBreakOf(text);
    bool wasQuoted = false;
    if (found.keyLine) {
        const std::string_view old = valueTextOf(text, *found.keyLine);
        wasQuoted = unquoted(old).size() != old.size();
    }
    const std::string entry = std::string(key) + "=" + storedForm(value, wasQuoted);
    std::string out(text);
    if (found.keyLine) {
        out.replace(found.keyLine->begin, found.keyLine->end - found.keyLine->begin, entry);
    } else if (found.sectionFound) {
        std::string insert = entry + std::string(br);
        std::size_t at = found.sectionEnd;
        // The section's last line may be the file's last, with no line break.
        if (at == text.size() && !text.empty() && text.back() != '\n' && text.back() != '\r')
            insert = std::string(br) + entry + std::string(br);
        out.insert(at, insert);
    } else {
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += br;
        out += "[" + std::string(section) + "]" + std::string(br) + entry + std::string(br);
    }
    return out;
}

bool writeProfileStrings(const std::filesystem::path& path, std::string_view section,
                         std::span<const ProfileEntry> entries)
{
    for (const auto& entry : entries)
        if (entry.second.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
            return false; // it would add lines to the file, or end it
    // Two programs editing one settings file take turns, so neither loses
    // the other's change while the lock is honoured. One that keeps the lock
    // past the wait is written past rather than waited for: a key another
    // writer changes in that moment may then be lost. A setting is worth
    // less than a hung editor, and the program writes its keys together.
    const platform::DirectoryLock lock(path.parent_path());
    const ProfileFile file = readProfileFile(path);
    if (file.state == ProfileFile::State::Unreadable) return false;
    std::string updated = file.text;
    for (const auto& [key, value] : entries)
        updated = withProfileString(updated, section, key, value);
    if (file.state == ProfileFile::State::Read && updated == file.text) return true;
    const auto bytes = encoded(file, updated);
    if (!bytes) return false;
    return static_cast<bool>(writeFileReplacing(
        path, std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size())));
}

} // namespace rivetbay
