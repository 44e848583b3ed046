#include "app/CommandLine.h"

#include "files/PlatformRules.h"
#include "files/TextEncoding.h"

namespace rivetbay {

namespace {

bool isSwitch(const std::string& argument)
{
    return !argument.empty() && (argument[0] == '-' || (platform::slashStartsSwitch && argument[0] == '/'));
}

} // namespace

EditorLaunch launchFrom(const std::vector<std::string>& arguments, const std::filesystem::path& workingDirectory,
                        const std::filesystem::path& home)
{
    EditorLaunch launch{workingDirectory, {}, false, false};
    std::string file, settingsIn;
    bool atHome = false;
    bool switches = true;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string& argument = arguments[k];
        if (!switches) {
            if (!argument.empty() && file.empty()) file = argument;
        } else if (argument == "--") { // what follows is a file, "-car.rbc" too
            switches = false;
        } else if (argument == "--export") {
            launch.exportToGame = true;
            // The car it names, whatever its name starts with.
            if (k + 1 < arguments.size() && file.empty() && !arguments[k + 1].starts_with("--"))
                file = arguments[++k];
        } else if (argument == "--settings-in" && k + 1 < arguments.size()) {
            settingsIn = arguments[++k]; // its folder is no car file
        } else if (argument == "--settings-at-home") {
            atHome = true;
        } else if (!argument.empty() && !isSwitch(argument) && file.empty()) {
            file = argument;
        }
    }
    launch.file = pathFromUtf8(file);
    if (settingsIn.empty() && !(atHome && !home.empty())) return launch;
    // Named from where the file manager started it, before the start moves.
    if (!launch.file.empty() && launch.file.is_relative()) launch.file = workingDirectory / launch.file;
    launch.startDirectory = settingsIn.empty() ? home : pathFromUtf8(settingsIn);
    launch.moves = true;
    return launch;
}

} // namespace rivetbay
