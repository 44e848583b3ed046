// "Export to I'76 Nitro" as the file manager runs it: the installed settings
// name the game's folder; the result is one box; nothing else is written.

#include "app/ExportToGame.h"
#include "files/Export.h"

#include "Testkit.h"
#include "StartFolder.h"

namespace rivetbay {
namespace {

namespace fs = std::filesystem;

struct ExportToGameTest : ::testing::Test, testkit::StartFolder {
    ExportToGameTest() { fs::create_directory(dir_ / "cars"); }

    int run(const fs::path& car) { return exportToGame(car, dir_.path(), services_, "Rivetbay"); }
    std::string said() const { return services_.messages.empty() ? "" : services_.messages.back().text; }
    // The files below the folder, settings and cars included.
    auto files() const { return std::ranges::distance(fs::recursive_directory_iterator(dir_.path()), fs::recursive_directory_iterator()); }
};

TEST_F(ExportToGameTest, WritesTheNextFileAndSaysWhereOrWhyNot)
{
    writeSettings();
    const fs::path car = saveCar("cars/dusty.rbc", testkit::dustyDesign());
    EXPECT_EQ(run(car), 0);
    EXPECT_TRUE(fs::exists(dir_ / "addon" / "vgoon4.vcf"));
    EXPECT_EQ(services_.said(), std::vector<std::string>{"Information | Rivetbay | \"Dusty\" is in the game now, as vgoon4.vcf in " +
                                                         utf8FromPath(dir_ / "addon") + "."});
    const auto before = files();

    // The same name again, and no name: the export's refusal, with its caption; nothing written.
    const std::string refusal = "Stop | Rivetbay : Can't export to VCF | The variant must have a unique model/name combination.";
    EXPECT_EQ(run(car), 1);
    EXPECT_EQ(services_.said().back(), refusal);
    EXPECT_EQ(run(saveCar("cars/blank.rbc", {.model = 16})), 1);
    EXPECT_EQ(services_.said().back(), refusal);
    EXPECT_EQ(files(), before + 1); // the blank car file, no vehicle file
    EXPECT_FALSE(fs::exists(dir_ / "cars" / "Rivetbay.ini"));

    EXPECT_EQ(run({}), 1); // none named at all
    EXPECT_EQ(said(), "No car file was named to export: Rivetbay --export CAR.rbc.");
    // A car file that cannot be read says so by name.
    EXPECT_EQ(run(dir_ / "cars" / "gone.rbc"), 1);
    EXPECT_NE(said().find("gone.rbc"), std::string::npos) << said();
}

TEST_F(ExportToGameTest, WithoutAKnownGameFolderItSaysWhyAndAsksForAStart)
{
    const fs::path car = saveCar("cars/dusty.rbc", testkit::dustyDesign());
    const std::string gone = utf8FromPath(dir_ / "gone"), file = utf8FromPath(car);
    const std::string unknown = "Rivetbay does not know where the game is yet: start Rivetbay once and show it.";
    const std::pair<std::function<void()>, std::string> settings[] = {
        {[] {}, unknown}, // none at all: it makes none
        {[&] { std::ofstream(dir_ / "Rivetbay.ini") << "[Paths]\nRBC_Path=.\n"; }, unknown},
        {[&] { std::ofstream(dir_ / "Rivetbay.ini") << "[Paths]\nVCF_Path=" << gone << "\n"; },
         "The game folder in Rivetbay's settings, " + gone +
             ", is gone: start Rivetbay and show it where the game is now."},
        {[&] { std::ofstream(dir_ / "Rivetbay.ini") << "[Paths]\nVCF_Path=" << file << "\n"; },
         "The game folder in Rivetbay's settings, " + file +
             ", is a file, not a folder: start Rivetbay and show it where the game is."},
    };
    for (const auto& [write, text] : settings) {
        write();
        const bool had = fs::exists(dir_ / "Rivetbay.ini");
        EXPECT_EQ(run(car), 1);
        EXPECT_EQ(said(), text);
        EXPECT_EQ(fs::exists(dir_ / "Rivetbay.ini"), had);
        EXPECT_TRUE(fs::is_empty(dir_ / "addon"));
    }
    // A folder named relative to the settings is found from there, wherever it starts.
    std::ofstream(dir_ / "Rivetbay.ini") << "[Paths]\nVCF_Path=addon\n";
    EXPECT_EQ(run(car), 0);
    EXPECT_TRUE(fs::exists(dir_ / "addon" / "vgoon4.vcf"));
}

} // namespace
} // namespace rivetbay
