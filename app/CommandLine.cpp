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

std::string commandLineFile(const std::vector<std::string>& arguments)
{
    return parseEditorArguments(arguments).file;
}

EditorArguments parseEditorArguments(const std::vector<std::string>& arguments)
{
    EditorArguments parsed;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string& argument = arguments[k];
        if (argument == "--export") {
            parsed.exportToGame = true;
        } else if (argument == "--settings-in" && k + 1 < arguments.size()) {
            parsed.settingsIn = arguments[++k]; // its folder is no car file
        } else if (argument == "--settings-at-home") {
            parsed.settingsAtHome = true;
        } else if (!argument.empty() && !isSwitch(argument) && parsed.file.empty()) {
            parsed.file = argument;
        }
    }
    return parsed;
}

std::optional<std::filesystem::path> installedSettingsFolder(const EditorArguments& arguments,
                                                             const std::filesystem::path& home)
{
    if (arguments.settingsIn && !arguments.settingsIn->empty()) return pathFromUtf8(*arguments.settingsIn);
    if (arguments.settingsAtHome && !home.empty()) return home;
    return std::nullopt;
}

EditorLaunch launchFrom(const std::vector<std::string>& arguments, const std::filesystem::path& workingDirectory,
                        const std::filesystem::path& home)
{
    const EditorArguments parsed = parseEditorArguments(arguments);
    EditorLaunch launch{workingDirectory, pathFromUtf8(parsed.file), parsed.exportToGame, false};
    if (const auto folder = installedSettingsFolder(parsed, home)) {
        // Named from where the file manager started it, before the start moves.
        if (!launch.file.empty() && launch.file.is_relative()) launch.file = workingDirectory / launch.file;
        launch.startDirectory = *folder;
        launch.moves = true;
    }
    return launch;
}

} // namespace rivetbay
