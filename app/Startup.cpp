#include "app/Startup.h"

namespace rivetbay {

StartupState startUp(const std::filesystem::path& startDirectory, FirstRunDialogs& dialogs)
{
    StartupState state;
    state.settingsFile = settingsFileIn(startDirectory);
    state.paths = readPathSettings(state.settingsFile, startDirectory);
    writePathSettings(state.settingsFile, state.paths); // the file holds both keys from now on
    if (!folderExists(state.paths.rbcPath)) state.paths.rbcPath = startDirectory;
    if (!folderExists(state.paths.vcfPath)) firstRunSetup(state.settingsFile, state.paths, dialogs);
    return state;
}

} // namespace rivetbay
