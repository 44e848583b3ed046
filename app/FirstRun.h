#pragma once

// The first-run setup: where the game is, asked once, and the vehicle
// folder derived from the file the player picks.

#include "app/Settings.h"

#include <filesystem>
#include <optional>
#include <string>

namespace rivetbay {

// The chosen file's directory, with "addon" added when the path names the
// game's executable ("nitro.exe", letter case not counting). Where the file
// system tells case apart, an existing entry such as "Addon" is used.
std::string vcfPathFromChosenFile(const std::string& chosenFile);

// The two dialogs of the first-run setup; the window shows them.
class FirstRunDialogs {
public:
    virtual ~FirstRunDialogs() = default;
    // The message box with firstRunCaption and firstRunText.
    virtual void explain() = 0;
    // The file dialog titled firstRunDialogTitle; nothing when cancelled.
    virtual std::optional<std::string> locateGame() = 0;
};

// Asks where the game is, sets the vehicle folder ("." when cancelled) and
// writes the settings.
void firstRunSetup(const std::filesystem::path& settingsFile, PathSettings& paths, FirstRunDialogs& dialogs);

inline constexpr const char* firstRunCaption = " Vexillo's Rivetbay :  Setup";
inline constexpr const char* firstRunText =
    "Rivetbay needs to know where to locate I'76 Nitro cars.\n\n"
    "Next, you will be asked to browse for \"Nitro.exe\" in the I'76 Nitro directory.  If you do "
    "select \"nitro.exe\", cars will be properly located in the usual \"I'76 Nitro\\addon\" "
    "directory.\n\n"
    "Actually, you can select any file anywhere to use it's containing directory.\n\n"
    "Canceling the dialog will set the directory to \".\", in which case Rivetbay will use it's "
    "working directory for listing Nitro variants.\n\n"
    "The information you give here is stored in a new \"Rivetbay.ini\" file.  If you wish to "
    "change it later, remove that file and restart Rivetbay, or edit the file manually.";
inline constexpr const char* firstRunDialogTitle =
    "Rivetbay: Locate \"Nitro.exe\" in the I'76 Nitro directory";

} // namespace rivetbay
