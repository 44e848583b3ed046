#include "files/VariantListing.h"

#include "files/AsciiCase.h"
#include "files/PlatformFile.h"
#include "files/VcfTemplate.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace rivetbay {

namespace fs = std::filesystem;

namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

bool matchesPattern(std::string_view name, std::string_view code)
{
    constexpr std::string_view suffix = ".vcf";
    if (name.size() < 1 + code.size() + suffix.size()) return false;
    if (asciiLower(name[0]) != 'v' || !startsWithIgnoringCase(name.substr(1), code)) return false;
    return startsWithIgnoringCase(name.substr(name.size() - suffix.size()), suffix);
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = asciiLower(a[i]), y = asciiLower(b[i]);
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b; // a stable order for names that differ only in case
}

// Matching entries in the order the directory holds them.
std::vector<std::string> matchingEntries(const fs::path& directory, std::string_view code)
{
    std::vector<std::string> names;
    if (directory.empty()) return names;
    for (std::string& name : platform::directoryEntries(directory))
        if (matchesPattern(name, code)) names.push_back(std::move(name));
    return names;
}

} // namespace

std::vector<std::string> findVehicleFiles(const fs::path& directory, std::string_view code)
{
    std::vector<std::string> names = matchingEntries(directory, code);
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

namespace {

// Joins a directory and bare names into one reused buffer, so that a scan
// of thousands of files builds no path objects.
class PathBuffer {
public:
    explicit PathBuffer(const fs::path& directory) : text_(directory.native())
    {
        text_ += static_cast<fs::path::value_type>(fs::path::preferred_separator);
        base_ = text_.size();
    }
    const fs::path::value_type* with(const std::string& name)
    {
        text_.resize(base_);
        if constexpr (std::is_same_v<fs::path::string_type, std::string>)
            text_ += name; // already native: no conversion, no allocation
        else
            text_ += fs::path(name).native();
        return text_.c_str();
    }

private:
    fs::path::string_type text_;
    std::size_t base_;
};

std::string nameAt(const fs::path::value_type* file)
{
    std::array<std::uint8_t, variantNameLimit> bytes{};
    const std::size_t got = platform::readAt(file, vcf::nameOffset, bytes.data(), bytes.size());
    return std::string(bytes.begin(), std::find(bytes.begin(), bytes.begin() + got, std::uint8_t{0}));
}

} // namespace

std::string readVariantName(const fs::path& directory, const std::string& fileName)
{
    PathBuffer path(directory);
    return nameAt(path.with(fileName));
}

std::vector<std::string> listVariants(const fs::path& directory, std::string_view code)
{
    const std::vector<std::string> files = findVehicleFiles(directory, code);
    std::vector<std::string> names;
    names.reserve(files.size());
    PathBuffer path(directory);
    for (const std::string& file : files) names.push_back(nameAt(path.with(file)));
    return names;
}

} // namespace rivetbay
