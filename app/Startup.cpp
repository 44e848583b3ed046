#include "app/Startup.h"

#include "app/ProfileFile.h"
#include "files/AsciiCase.h"
#include "files/TextEncoding.h"
#include "files/VariantListing.h"

#include <system_error>

namespace rivetbay {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr bool slashIsSwitch = true;
constexpr std::string_view separators = "\\/";
#else
constexpr bool slashIsSwitch = false;
constexpr std::string_view separators = "/";
#endif

} // namespace

std::string commandLineFile(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument.empty()) continue;
        if (argument[0] == '-' || (slashIsSwitch && argument[0] == '/')) continue;
        return argument;
    }
    return {};
}

fs::path settingsFileIn(const std::string& startDirectory)
{
    return pathFromUtf8(startDirectory) / settingsFileName;
}

PathSettings readPathSettings(const fs::path& settingsFile, const std::string& startDirectory)
{
    // A file that could not be read gives the defaults for this run; the
    // writes then leave it alone.
    const std::string text = readProfileFile(settingsFile).text;
    return {profileStringIn(text, settingsSection, vcfPathKey, ""),
            profileStringIn(text, settingsSection, rbcPathKey, startDirectory)};
}

bool writePathSettings(const fs::path& settingsFile, const PathSettings& settings)
{
    return writeProfileStrings(settingsFile, settingsSection,
                               {{vcfPathKey, settings.vcfPath}, {rbcPathKey, settings.rbcPath}});
}

bool pathExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::exists(pathFromUtf8(path), ec);
}

std::string directoryOf(const std::string& fullPath)
{
    const auto last = fullPath.find_last_of(separators);
    return last == std::string::npos ? std::string() : fullPath.substr(0, last);
}

std::string vcfPathFromChosenFile(const std::string& chosenFile)
{
    // Stored with the platform's own separators, whichever the dialog gave.
    const fs::path directory = pathFromUtf8(directoryOf(chosenFile)).make_preferred();
    const std::string lowered = asciiLowered(chosenFile);
    bool game = false;
    for (char separator : separators)
        game = game || lowered.find(separator + std::string("nitro.exe")) != std::string::npos;
    if (!game) return utf8FromPath(directory);
    return utf8FromPath(withExistingLetterCase(directory / "addon"));
}

StartupState startUp(const std::string& startDirectory, FirstRunDialogs& dialogs)
{
    StartupState state;
    state.settingsFile = settingsFileIn(startDirectory);
    state.paths = readPathSettings(state.settingsFile, startDirectory);
    writePathSettings(state.settingsFile, state.paths); // the file holds both keys from now on
    if (!pathExists(state.paths.rbcPath)) state.paths.rbcPath = startDirectory;
    if (!pathExists(state.paths.vcfPath)) firstRunSetup(state, dialogs);
    return state;
}

void firstRunSetup(StartupState& state, FirstRunDialogs& dialogs)
{
    dialogs.explain();
    const std::optional<std::string> chosen = dialogs.locateGame();
    state.paths.vcfPath = chosen ? vcfPathFromChosenFile(*chosen) : std::string(".");
    writePathSettings(state.settingsFile, state.paths);
}

} // namespace rivetbay
