#include "files/CarFile.h"
#include "files/VcfWriter.h"

#include "SampleCars.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace rivetbay {
namespace {

using testing::TempDir;

struct CliRun {
    int status;
    std::string out, err;
};

std::string quoted(const std::string& s) { return "'" + s + "'"; }

CliRun cli(const TempDir& dir, const std::string& args)
{
    const auto errFile = dir / "stderr.txt";
    const std::string command =
        quoted(RIVETBAY_CLI) + " " + args + " 2>" + quoted(errFile.string());
    CliRun run{};
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    std::size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(errFile);
    std::stringstream text;
    text << err.rdbuf();
    run.err = text.str();
    return run;
}

CarConfig dusty()
{
    CarConfig c = testing::dustyDesign();
    c.name = "Dusty \xE9"; // decoded to UTF-8 on the way out
    return c;
}

TEST(Cli, ShowPrintsTheBill)
{
    TempDir dir;
    ASSERT_FALSE(saveCarFile(dir / "d.rbc", dusty()));
    const CliRun run = cli(dir, "show " + quoted((dir / "d.rbc").string()));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Glenn Bushmaster"), std::string::npos);
    EXPECT_NE(run.out.find("Front 3"), std::string::npos);
    EXPECT_EQ(run.out.find("Top 1"), std::string::npos); // the model has no top mount
    EXPECT_NE(run.out.find("Dusty \xC3\xA9"), std::string::npos); // UTF-8
    EXPECT_NE(run.out.find("$11397"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("front 25  rear 20  left 20  right 15"), std::string::npos);
}

TEST(Cli, ShowJsonNamesTheRecordFields)
{
    TempDir dir;
    ASSERT_FALSE(saveCarFile(dir / "d.rbc", dusty()));
    CarConfig other;
    other.model = 16;
    other.name = "Listed";
    ASSERT_TRUE(VcfWriter(dir / "vgoon9.vcf", other));
    const CliRun run = cli(dir, "show " + quoted((dir / "d.rbc").string()) + " --json --vcf-dir " +
                                 quoted(dir.path().string()));
    ASSERT_EQ(run.status, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    for (const char* key :
         {"model", "engine", "suspension", "frontTires", "rearTires", "brakes", "frontWeapons",
          "topWeapons", "rearWeapons", "droppers", "specials", "specialPrices", "rearTiresPrice",
          "brakesPrice", "modelPrice", "enginePrice", "frontTiresPrice", "suspensionPrice",
          "frontWeaponPrices", "topWeaponPrices", "rearWeaponPrices", "dropperPrices",
          "totalPrice", "turret", "paintScheme", "name", "freePoints", "armor", "chassis",
          "paintSchemes", "variants", "mountsEnabled", "turretEnabled"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_EQ(j["totalPrice"], 11397);
    EXPECT_EQ(j["frontWeapons"], nlohmann::json::array({1, 4, 0}));
    EXPECT_EQ(j["name"], "Dusty \xC3\xA9");
    EXPECT_EQ(j["variants"], nlohmann::json::array({"Listed"}));
    EXPECT_EQ(j["paintSchemes"], nlohmann::json::array({"Camouflage", "Postal", "Thing"}));
    EXPECT_EQ(j["mountsEnabled"]["front"], nlohmann::json::array({true, true, true}));
    EXPECT_EQ(j["mountsEnabled"]["top"], nlohmann::json::array({false, false}));
    EXPECT_EQ(j["turretEnabled"], false);
}

TEST(Cli, VcfWritesTheDesign)
{
    TempDir dir;
    ASSERT_FALSE(saveCarFile(dir / "d.rbc", dusty()));
    const CliRun run = cli(dir, "vcf " + quoted((dir / "d.rbc").string()) + " " +
                                 quoted((dir / "out.vcf").string()));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(testing::readBytes(dir / "out.vcf").size(), 309u);
}

TEST(Cli, ExportAndItsRefusal)
{
    TempDir dir;
    ASSERT_FALSE(saveCarFile(dir / "d.rbc", dusty()));
    const std::string args =
        "export " + quoted((dir / "d.rbc").string()) + " --vcf-dir " + quoted(dir.path().string());
    const CliRun first = cli(dir, args);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, (dir / "vgoon4.vcf").string() + "\n");
    const CliRun again = cli(dir, args);
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "The variant must have a unique model/name combination.\n");

    const CliRun listed = cli(dir, "list " + quoted(dir.path().string()) + " --model 16");
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, "Dusty \xC3\xA9\n");
}

TEST(Cli, FailuresAndBadUsage)
{
    TempDir dir;
    std::ofstream(dir / "short.rbc") << "\x05" << "ab";
    const CliRun shortRun = cli(dir, "show " + quoted((dir / "short.rbc").string()));
    EXPECT_EQ(shortRun.status, 1);
    EXPECT_EQ(shortRun.err, "An attempt was made to access an unnamed file past its end.\n");
    const CliRun missing = cli(dir, "show " + quoted((dir / "none.rbc").string()));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "an unnamed file was not found.\n");

    for (const char* args : {"", "fly", "show", "list", "vcf one", "list . --model x",
                             "list . --model 38"}) {
        const CliRun bad = cli(dir, args);
        EXPECT_EQ(bad.status, 2) << args;
        EXPECT_FALSE(bad.err.empty()) << args;
    }
    EXPECT_EQ(cli(dir, "--help").status, 0);
}

} // namespace
} // namespace rivetbay
