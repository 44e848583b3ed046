#include "app/ProfileFile.h"

#include "files/AsciiCase.h"
#include "files/SafeWrite.h"

#include <fstream>
#include <iterator>
#include <optional>
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

bool isComment(std::string_view line)
{
    line = trim(line);
    return !line.empty() && line.front() == ';';
}

// The key of a "key=value" line, or nothing.
std::optional<std::string_view> keyOf(std::string_view line)
{
    if (isComment(line)) return std::nullopt;
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

std::optional<std::string> readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

std::string profileStringIn(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view fallback)
{
    const auto lines = splitLines(text);
    const Located found = locate(text, lines, section, key);
    if (!found.keyLine) return std::string(fallback.substr(0, profileValueLimit));
    const Line& line = *found.keyLine;
    std::string_view content = text.substr(line.begin, line.end - line.begin);
    std::string_view value = trim(content.substr(content.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, profileValueLimit));
}

std::string profileText(const std::filesystem::path& file) { return readFile(file).value_or(""); }

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view fallback)
{
    return profileStringIn(profileText(file), section, key, fallback);
}

std::string withProfileString(std::string_view text, std::string_view section,
                              std::string_view key, std::string_view value)
{
    const auto lines = splitLines(text);
    const Located found = locate(text, lines, section, key);
    const std::string_view br = lineBreakOf(text);
    const std::string entry = std::string(key) + "=" + std::string(value);
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

bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value)
{
    return writeProfileStrings(file, section, {{key, value}});
}

bool writeProfileStrings(const std::filesystem::path& file, std::string_view section,
                         std::initializer_list<std::pair<std::string_view, std::string_view>> entries)
{
    const auto text = readFile(file);
    std::string updated = text.value_or("");
    for (const auto& [key, value] : entries) updated = withProfileString(updated, section, key, value);
    if (text && updated == *text) return true;
    const std::vector<std::uint8_t> bytes(updated.begin(), updated.end());
    return !writeFileReplacing(file, bytes);
}

} // namespace rivetbay
