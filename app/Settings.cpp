#include "app/Settings.h"

#include "files/ProfileFile.h"
#include "files/TextEncoding.h"

#include <string>
#include <system_error>
#include <vector>

namespace rivetbay {

namespace fs = std::filesystem;

namespace {

// A folder the settings remember, stored as UTF-8 on Windows and as the
// file system's bytes elsewhere.
struct FolderKey {
    std::string_view section;
    std::string_view name;
    std::filesystem::path PathSettings::*folder;
    bool defaultsToStart; // missing: the start folder, else empty
};

// In the order a write puts them.
constexpr FolderKey keys[] = {
    {"Paths", "VCF_Path", &PathSettings::vcfPath, false},
    {"Paths", "RBC_Path", &PathSettings::rbcPath, true},
};

} // namespace

fs::path settingsFileIn(const fs::path& startDirectory) { return startDirectory / settingsFileName; }

PathSettings readPathSettings(const fs::path& settingsFile, const fs::path& startDirectory)
{
    const std::string text = readProfileFile(settingsFile).text;
    const std::string start = utf8FromPath(startDirectory);
    PathSettings settings;
    for (const FolderKey& key : keys)
        settings.*key.folder =
            pathFromUtf8(profileStringIn(text, key.section, key.name, key.defaultsToStart ? start : ""));
    return settings;
}

bool writePathSettings(const fs::path& settingsFile, const PathSettings& settings)
{
    // All the keys share one section: one read and one write.
    std::vector<std::string> values;
    std::vector<std::pair<std::string_view, std::string_view>> entries;
    for (const FolderKey& key : keys) values.push_back(utf8FromPath(settings.*key.folder));
    for (std::size_t k = 0; k < values.size(); ++k) entries.emplace_back(keys[k].name, values[k]);
    return writeProfileStrings(settingsFile, keys[0].section, entries);
}

bool folderExists(const fs::path& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

} // namespace rivetbay
