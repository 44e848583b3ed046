#include "files/VariantListing.h"

#include "files/AsciiCase.h"
#include "files/PlatformFile.h"
#include "files/VcfNames.h"
#include "files/VcfTemplate.h"

#include <algorithm>
#include <array>

namespace rivetbay {

namespace fs = std::filesystem;

namespace {

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

std::vector<std::string> matchingEntries(const platform::Directory& directory,
                                         std::string_view code)
{
    std::vector<std::string> names;
    for (std::string& name : directory.entries())
        if (VcfNames::isVariantFileOf(name, code)) names.push_back(std::move(name));
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

std::string nameAt(const platform::Directory& directory, const std::string& file)
{
    std::array<std::uint8_t, variantNameLimit> bytes{};
    const std::size_t got =
        directory.readAt(file, VcfLayout::nameOffset, bytes.data(), bytes.size());
    return std::string(bytes.begin(),
                       std::find(bytes.begin(), bytes.begin() + got, std::uint8_t{0}));
}

std::vector<std::string> namesAt(const platform::Directory& directory,
                                 const std::vector<std::string>& files)
{
    std::vector<std::string> names;
    names.reserve(files.size());
    for (const std::string& file : files) names.push_back(nameAt(directory, file));
    return names;
}

} // namespace

std::vector<std::string> findVehicleFiles(const fs::path& directory, std::string_view code)
{
    return matchingEntries(platform::Directory(directory), code);
}

std::string readVariantName(const fs::path& directory, const std::string& fileName)
{
    return nameAt(platform::Directory(directory), fileName);
}

std::vector<std::string> readVariantNames(const fs::path& directory,
                                          const std::vector<std::string>& files)
{
    return namesAt(platform::Directory(directory), files);
}

std::vector<std::string> listVariants(const fs::path& directory, std::string_view code)
{
    const platform::Directory dir(directory);
    return namesAt(dir, matchingEntries(dir, code));
}

RecalcResult recalculateWithListing(CarConfig& config, const fs::path& directory)
{
    normaliseSelections(config); // the listing code is looked up by model
    return recalculate(config, listVariants(directory, listingCode(config)));
}

fs::path withExistingLetterCase(const fs::path& path)
{
    std::error_code ec;
    if (path.empty() || fs::exists(fs::symlink_status(path, ec))) return path;
    const std::string wanted = path.filename().string();
    const fs::path folder = path.parent_path();
    for (const std::string& name : platform::Directory(folder.empty() ? "." : folder).entries())
        if (equalsIgnoringAsciiCase(name, wanted)) return folder / name;
    return path;
}

} // namespace rivetbay
