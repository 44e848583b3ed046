#pragma once

// What the editor takes from its command line.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rivetbay {

// The first argument that is not a switch. A switch begins with "-", and on
// Windows also with "/" (elsewhere "/" begins an absolute path).
std::string commandLineFile(const std::vector<std::string>& arguments);

// The switches only the installed entries use (the file type's Open and
// "Export to I'76 Nitro", the desktop entries): a start the player makes by
// hand keeps its settings in the folder it starts from.
struct EditorArguments {
    std::string file;   // as commandLineFile finds it
    bool exportToGame = false; // --export: the file exported, the result in a box, no window
    // --settings-in FOLDER: start as the installed shortcut does, in FOLDER;
    // --settings-at-home: in the home folder, where a desktop entry starts.
    std::optional<std::string> settingsIn;
    bool settingsAtHome = false;
};
EditorArguments parseEditorArguments(const std::vector<std::string>& arguments);

// Where such a start keeps its settings; nothing for a start by hand.
// `home` is the user's home folder.
std::optional<std::filesystem::path> installedSettingsFolder(const EditorArguments& arguments,
                                                             const std::filesystem::path& home);

// How a start begins, for both programs.
struct EditorLaunch {
    std::filesystem::path startDirectory; // where the settings are: the working directory, or the installed entries'
    std::filesystem::path file;           // the car to open or export; absolute when the start moves
    bool exportToGame = false;
    bool moves = false; // the program moves to startDirectory first, as the installed shortcut starts there
};
EditorLaunch launchFrom(const std::vector<std::string>& arguments, const std::filesystem::path& workingDirectory,
                        const std::filesystem::path& home);

} // namespace rivetbay
