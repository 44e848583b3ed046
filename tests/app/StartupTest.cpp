#include "app/Startup.h"
#include "files/TextEncoding.h"

#include "Testkit.h"

#include <optional>

namespace rivetbay {
namespace {

// Answers the first-run dialogs from a script and counts them.
struct ScriptedDialogs final : FirstRunDialogs {
    explicit ScriptedDialogs(std::optional<std::string> answer) : answer(std::move(answer)) {}
    void explain() override { ++explained; }
    std::optional<std::string> locateGame() override { return ++asked, answer; }
    std::optional<std::string> answer;
    int explained = 0, asked = 0;
};

TEST(Startup, FirstStartsAndLaterOnes)
{
    TempDir start;
    const std::string home = start.path().string();
    std::filesystem::create_directories(start / "Games" / "Nitro");
    ScriptedDialogs game((start / "Games" / "Nitro" / "Nitro.exe").string());
    const StartupState first = startUp(home, game);
    EXPECT_EQ(game.explained, 1);
    EXPECT_EQ(first.settingsFile, start / "Rivetbay.ini");
    EXPECT_EQ(first.paths.vcfPath, (start / "Games" / "Nitro" / "addon").string());
    EXPECT_EQ(testkit::readText(start / "Rivetbay.ini"), "[Paths]\r\nVCF_Path=" + utf8FromPath(first.paths.vcfPath) +
                                                  "\r\nRBC_Path=" + home + "\r\n");

    // The folder named there has gone: asked again; cancelled, "." is kept.
    ScriptedDialogs cancel(std::nullopt);
    EXPECT_EQ(startUp(home, cancel).paths.vcfPath, ".");
    EXPECT_EQ(cancel.asked, 1);
    ScriptedDialogs none(std::nullopt);
    startUp(home, none);
    EXPECT_EQ(none.explained, 0); // "." exists: nothing is asked

    // A file of the one key gains the other at the start's write.
    std::ofstream(start / "Rivetbay.ini", std::ios::binary) << "[Paths]\r\nVCF_Path=.\r\n";
    startUp(home, none);
    EXPECT_EQ(testkit::readText(start / "Rivetbay.ini"), "[Paths]\r\nVCF_Path=.\r\nRBC_Path=" + home + "\r\n");

    // A game folder that names a file is no folder: asked again.
    ASSERT_TRUE(writePathSettings(start / "Rivetbay.ini", {(start / "Rivetbay.ini").string(), "."}));
    ScriptedDialogs again(std::nullopt);
    startUp(home, again);
    EXPECT_EQ(again.asked, 1);

    // A car folder that has gone, or is a file, is replaced in memory only, until the next write.
    ASSERT_TRUE(writePathSettings(start / "Rivetbay.ini", {".", (start / "Rivetbay.ini").string()}));
    EXPECT_EQ(startUp(home, none).paths.rbcPath, home);
    ASSERT_TRUE(writePathSettings(start / "Rivetbay.ini", {".", (start / "gone").string()}));
    const StartupState later = startUp(home, none);
    EXPECT_EQ(later.paths.rbcPath, home);
    EXPECT_NE(testkit::readText(start / "Rivetbay.ini").find("RBC_Path=" + (start / "gone").string()),
              std::string::npos);
}


} // namespace
} // namespace rivetbay
