#pragma once

// What the editor takes from its command line: the car file (the first
// argument that is not a switch; a switch begins with "-", and on Windows
// also with "/"), and the switches only the installed entries use (the file
// type's Open and "Export to I'76 Nitro", the desktop entries):
//   --export               the car exported, the result in a box, no window
//   --settings-in FOLDER   start as the installed shortcut does, in FOLDER
//   --settings-at-home     the same in the home folder, where a desktop entry starts
// A start the player makes by hand keeps its settings in the folder it starts from.

#include <filesystem>
#include <string>
#include <vector>

namespace rivetbay {

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
