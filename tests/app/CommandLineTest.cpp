#include "app/CommandLine.h"

#include "Testkit.h"

#include <tuple>

namespace rivetbay {
namespace {

TEST(CommandLine, EveryWayTheEditorIsStarted)
{
    // The words, an export, where the settings are ("work" for a start by hand), the file it opens.
    const std::tuple<std::vector<std::string>, bool, std::string, std::string> cases[] = {
        {{}, false, "work", ""},
        {{"-x", "my car.rbc"}, false, "work", "my car.rbc"},
        {{"first.rbc", "second.rbc"}, false, "work", "first.rbc"},
        {{"", "car.rbc"}, false, "work", "car.rbc"}, // an empty word, as a shortcut may pass, is skipped
        // The installed entries: the folder after the switch is no car file,
        // and the car is named from where the file manager started it.
        {{"--settings-in", "Docs", "car.rbc"}, false, "Docs", "work/car.rbc"},
        {{"--settings-in", "Docs", "--export", "car.rbc"}, true, "Docs", "work/car.rbc"},
        {{"--settings-at-home", "--export", "car.rbc"}, true, "home", "work/car.rbc"},
        {{"car.rbc", "--settings-in"}, false, "work", "car.rbc"}, // no folder: a start by hand
        {{"--export", "-car.rbc"}, true, "work", "-car.rbc"}, // the car export names, whatever it starts with
        {{"--", "-car.rbc", "b.rbc"}, false, "work", "-car.rbc"},
        {{"--export", "--settings-at-home"}, true, "home", ""},
#ifndef _WIN32
        {{"/home/me/car.rbc"}, false, "work", "/home/me/car.rbc"}, // a path, not a switch
#endif
    };
    for (const auto& [words, exportToGame, start, opened] : cases) {
        SCOPED_TRACE(opened);
        const EditorLaunch launch = launchFrom(words, "work", "home");
        EXPECT_EQ(launch.exportToGame, exportToGame);
        EXPECT_EQ(launch.startDirectory, start);
        EXPECT_EQ(launch.moves, start != "work");
        EXPECT_EQ(launch.file, std::filesystem::path(opened).make_preferred());
    }
    // The installed entries' switch with no home known: a start by hand.
    const EditorLaunch homeless = launchFrom({"--settings-at-home", "car.rbc"}, "work", "");
    EXPECT_EQ(std::tie(homeless.startDirectory, homeless.moves), std::tuple(std::filesystem::path("work"), false));
}

} // namespace
} // namespace rivetbay
