#pragma once

// The start-up's settings steps, with the command line and the first run
// they need.

#include "app/CommandLine.h"
#include "app/FirstRun.h"
#include "app/Settings.h"

#include <filesystem>

namespace rivetbay {

struct StartupState {
    std::filesystem::path settingsFile;
    PathSettings paths;
};

// The settings file in `startDirectory` (the working directory at start,
// given as a value), read and at once written back; a car folder that no
// longer exists replaced in memory only; and the first-run setup when the
// vehicle folder does not exist.
StartupState startUp(const std::filesystem::path& startDirectory, FirstRunDialogs& dialogs);

} // namespace rivetbay
