#include "files/VariantListing.h"

#include "files/PlatformFile.h"
#include "files/VcfTemplate.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace rivetbay {

namespace fs = std::filesystem;

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(text[i]) != lower(prefix[i])) return false;
    return true;
}

bool matchesPattern(std::string_view name, std::string_view code)
{
    constexpr std::string_view suffix = ".vcf";
    if (name.size() < 1 + code.size() + suffix.size()) return false;
    if (lower(name[0]) != 'v' || !startsWithIgnoringCase(name.substr(1), code)) return false;
    return startsWithIgnoringCase(name.substr(name.size() - suffix.size()), suffix);
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    const auto folded = [](char x, char y) { return lower(x) < lower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded)) return false;
    return a < b; // a stable order for names that differ only in case
}

} // namespace

std::vector<std::string> findVehicleFiles(const fs::path& directory, std::string_view code)
{
    std::vector<std::string> names;
    if (directory.empty()) return names;
    std::error_code ec;
    fs::directory_iterator it(directory, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (matchesPattern(name, code)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

std::string readVariantName(const fs::path& directory, const std::string& fileName)
{
    std::FILE* file = platform::openForReading(directory / fileName);
    if (!file) return {};
    std::array<char, variantNameLimit> bytes{};
    std::size_t got = 0;
    if (std::fseek(file, static_cast<long>(vcf::nameOffset), SEEK_SET) == 0)
        got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    const auto end = std::find(bytes.begin(), bytes.begin() + got, '\0');
    return std::string(bytes.begin(), end);
}

std::vector<std::string> listVariants(const fs::path& directory, std::string_view code)
{
    std::vector<std::string> names;
    for (const std::string& file : findVehicleFiles(directory, code))
        names.push_back(readVariantName(directory, file));
    return names;
}

} // namespace rivetbay
