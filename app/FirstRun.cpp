#include "app/FirstRun.h"

#include "files/AsciiCase.h"
#include "files/PlatformRules.h"
#include "files/TextEncoding.h"
#include "files/VariantListing.h"

namespace rivetbay {

namespace fs = std::filesystem;

using platform::pathSeparators;

namespace {

// A full path up to, and not including, its last separator: a dialog's
// answer may hold either of the platform's separators.
std::string directoryOf(const std::string& fullPath)
{
    const auto last = fullPath.find_last_of(pathSeparators);
    return last == std::string::npos ? std::string() : fullPath.substr(0, last);
}

} // namespace

std::string vcfPathFromChosenFile(const std::string& chosenFile)
{
    // Stored with the platform's own separators, whichever the dialog gave.
    const fs::path directory = pathFromUtf8(directoryOf(chosenFile)).make_preferred();
    const std::string lowered = asciiLowered(chosenFile);
    bool game = false;
    for (char separator : pathSeparators)
        game = game || lowered.find(separator + std::string("nitro.exe")) != std::string::npos;
    if (!game) return utf8FromPath(directory);
    return utf8FromPath(withExistingLetterCase(directory / "addon"));
}

void firstRunSetup(const fs::path& settingsFile, PathSettings& paths, FirstRunDialogs& dialogs)
{
    dialogs.explain();
    const std::optional<std::string> chosen = dialogs.locateGame();
    paths.vcfPath = chosen ? pathFromUtf8(vcfPathFromChosenFile(*chosen)) : fs::path(".");
    writePathSettings(settingsFile, paths);
}

} // namespace rivetbay
