#pragma once

// "Export to I'76 Nitro" from the file manager: a car file exported, with
// the export's rules, into the game folder the installed settings name, and
// the result said in a message box. No window, no first-run setup, and
// nothing written but the vehicle file.

#include "app/UiServices.h"

#include <filesystem>
#include <string>

namespace rivetbay {

inline constexpr const char* gameFolderUnknownText =
    "Rivetbay does not know where the game is yet: start Rivetbay once and show it.";
inline constexpr const char* noCarToExportText =
    "No car file was named to export: Rivetbay --export CAR.rbc.";
// The settings name a game folder that is gone, or a file: the start asks again.
std::string gameFolderGoneText(const std::filesystem::path& folder);
std::string gameFolderIsAFileText(const std::filesystem::path& folder);

// `settingsFolder` holds the settings (Rivetbay.ini) the installed entries
// use. Returns the exit status: 0 when the vehicle file was written.
int exportToGame(const std::filesystem::path& carFile, const std::filesystem::path& settingsFolder,
                 UiServices& services, const std::string& applicationName);

} // namespace rivetbay
