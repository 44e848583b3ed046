#pragma once

// Start-up rules that need no window: the command line, the two remembered
// directories and how the first-run setup derives the vehicle directory.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rivetbay {

inline constexpr const char* settingsFileName = "Rivetbay.ini";
inline constexpr const char* settingsSection = "Paths";
inline constexpr const char* vcfPathKey = "VCF_Path";
inline constexpr const char* rbcPathKey = "RBC_Path";

// Directory texts are UTF-8 on Windows and the file system's bytes elsewhere.
struct PathSettings {
    std::string vcfPath; // the game's vehicle directory
    std::string rbcPath; // the last car-file directory
};

// The first argument that is not a switch. A switch begins with "-", and on
// Windows also with "/" (elsewhere "/" begins an absolute path).
std::string commandLineFile(const std::vector<std::string>& arguments);

std::filesystem::path settingsFileIn(const std::string& startDirectory);

PathSettings readPathSettings(const std::filesystem::path& settingsFile,
                              const std::string& startDirectory);

// VCF_Path, then RBC_Path, in one write. Returns whether it succeeded.
bool writePathSettings(const std::filesystem::path& settingsFile, const PathSettings& settings);

// An empty path never exists.
bool pathExists(const std::string& path);

// The chosen file's directory, with "addon" added when the path names the
// game's executable ("nitro.exe", letter case not counting). Where the file
// system tells case apart, an existing entry such as "Addon" is used.
std::string vcfPathFromChosenFile(const std::string& chosenFile);

// A full path up to, and not including, its last separator.
std::string directoryOf(const std::string& fullPath);

// The two dialogs of the first-run setup; the window shows them.
class FirstRunDialogs {
public:
    virtual ~FirstRunDialogs() = default;
    // The message box with firstRunCaption and firstRunText.
    virtual void explain() = 0;
    // The file dialog titled firstRunDialogTitle; nothing when cancelled.
    virtual std::optional<std::string> locateGame() = 0;
};

struct StartupState {
    std::filesystem::path settingsFile;
    PathSettings paths;
};

// The start-up's settings steps: the settings file in `startDirectory` (the
// working directory at start, given as a value), read and at once written
// back; a car folder that no longer exists replaced in memory only; and the
// first-run setup when the vehicle folder does not exist.
StartupState startUp(const std::string& startDirectory, FirstRunDialogs& dialogs);

// Asks where the game is, sets VCF_Path ("." when cancelled) and writes the
// settings.
void firstRunSetup(StartupState& state, FirstRunDialogs& dialogs);

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
