// rivetbay-cli and the editor's command line, run as a script would run them.

#include "car/Allocation.h"
#include "files/CarFile.h"
#include "files/TextEncoding.h"
#include "files/VcfWriter.h"

#include "OtherUser.h"
#include "Testkit.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#endif

namespace rivetbay {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out, err;
};

#ifdef _WIN32
const std::string changeFolder = "cd /d ", quote = "\"";
// The build's own path, as the Windows side of Wine sees it.
std::string program(std::string path)
{
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
FILE* openPipe(const std::string& command)
{
    const std::u16string wide = *utf16FromUtf8(command);
    return _wpopen(std::wstring(wide.begin(), wide.end()).c_str(), L"rb");
}
int closePipe(FILE* pipe) { return _pclose(pipe); }
#else
const std::string changeFolder = "cd ", quote = "'";
std::string program(const std::string& path) { return path; }
FILE* openPipe(const std::string& command) { return popen(command.c_str(), "r"); }
int closePipe(FILE* pipe)
{
    const int raw = pclose(pipe);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}
#endif
std::string inQuotes(const std::string& text) { return quote + text + quote; }
std::string inQuotes(const fs::path& p) { return inQuotes(utf8FromPath(p)); }

constexpr int anyStatus = -2;

// Runs `exe args` in `dir` through the shell, which also does any
// redirection the arguments hold; with no program, `args` is the command.
// The run must end with `status`.
CliRun run(const TempDir& dir, const std::string& args, int status = 0, const std::string& exe = program(RIVETBAY_CLI))
{
    const std::string command = changeFolder + inQuotes(dir.path()) + " && " + (exe.empty() ? "" : inQuotes(exe) + " ") +
                                args + " 2>" + inQuotes(dir / "stderr.txt");
    // Starting the shell now and then fails for a moment under Wine on a busy
    // machine: tried again until a deadline only a broken start reaches.
    FILE* pipe = nullptr;
    for (const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
         !(pipe = openPipe(command)) && std::chrono::steady_clock::now() < end;)
        std::this_thread::yield();
    CliRun result{-1, "", ""};
    if (!pipe) return ADD_FAILURE() << "could not start: " << command, result;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, got);
    result.status = closePipe(pipe);
    result.err = testkit::readText(dir / "stderr.txt");
    if (status != anyStatus) EXPECT_EQ(result.status, status) << args << ": " << result.err;
    return result;
}

// A run that ends with `status` and says exactly `err`.
void expectRun(const TempDir& dir, const std::string& args, int status, const std::string& err)
{
    EXPECT_EQ(run(dir, args, status).err, err) << args;
}

// The worked example, with a name that is decoded to UTF-8 on the way out.
CarConfig dusty() { return testkit::dustyDesign("Dusty \xE9"); }

TEST(Cli, ShowPrintsTheBillOrItsJson)
{
    TempDir dir;
    ASSERT_TRUE(saveCarFile(dir / "d.rbc", dusty()));
    ASSERT_TRUE(VcfWriter(dir / "vgoon9.vcf", {.name = "Listed", .model = 16}));
    const std::string shown = run(dir, "show d.rbc").out;
    EXPECT_NE(shown.find("Dusty \xC3\xA9"), std::string::npos); // UTF-8
    EXPECT_NE(shown.find("$11397"), std::string::npos) << shown;
    // The same from standard input, and several files in one call.
    EXPECT_EQ(run(dir, "show - < d.rbc").out, shown);
    EXPECT_EQ(run(dir, "show d.rbc d.rbc").out, "==> d.rbc <==\n" + shown + "\n==> d.rbc <==\n" + shown);

    // JSON: the record's own members, and the names beside them.
    const auto j = nlohmann::json::parse(run(dir, "show d.rbc --json --vcf-dir .").out);
    EXPECT_EQ(j["frontWeapons"], nlohmann::json::array({1, 4, 0}));
    EXPECT_EQ(j["variants"], nlohmann::json::array({"Listed"}));
    EXPECT_EQ(j["path"], "d.rbc");
    EXPECT_EQ(j["partNames"]["droppers"][1], "Blox Dropper");
    EXPECT_EQ(j["sides"]["chassis"]["left"], 25);
    EXPECT_EQ(run(dir, "show d.rbc - --json < d.rbc").out.substr(0, 1), "[");
}

TEST(Cli, VcfRecalculatesAndWritesFilesOrStandardOutput)
{
    TempDir dir;
    CarConfig car = dusty();
    car.topWeapons = {5, 0}; // a mount the model lacks: not written
    car.turret = 1;          // nor a turret it cannot carry
    car.specials = {1, 1, 6}; // nor the same special twice
    car.name = "  " + car.name + " ";
    ASSERT_TRUE(saveCarFile(dir / "d.rbc", car));
    CarConfig recalculated = dusty();
    recalculated.specials = {1, 0, 6};
    ASSERT_TRUE(VcfWriter(dir / "expected.vcf", recalculated));
    const std::string expected = testkit::readText(dir / "expected.vcf");

    run(dir, "vcf d.rbc out.vcf");
    EXPECT_EQ(testkit::readText(dir / "out.vcf"), expected);
    run(dir, "vcf - in.vcf < d.rbc");
    EXPECT_EQ(testkit::readText(dir / "in.vcf"), expected);
    // Names outside ASCII arrive whole, as arguments and as folders.
    run(dir, "vcf d.rbc \"Prix\xE2\x82\xAC.vcf\"");
    run(dir, "import \"Prix\xE2\x82\xAC.vcf\" \"Prix\xE2\x82\xAC.rbc\"");
    EXPECT_EQ(run(dir, "show \"Prix\xE2\x82\xAC.rbc\"").out, run(dir, "show d.rbc").out);
    fs::create_directories(dir.path() / pathFromUtf8("Dave\xE2\x80\x99s Nitro") / "addon");
    run(dir, "export d.rbc --vcf-dir \"Dave\xE2\x80\x99s Nitro/addon\"");
    EXPECT_EQ(run(dir, "vcf d.rbc -").out, expected);

#ifndef _WIN32
    if (!testkit::runningAsRoot()) GTEST_SKIP() << "making a full device needs root";
    ASSERT_EQ(::mknod((dir / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
    expectRun(dir, "vcf d.rbc - > full", 1, "rivetbay-cli: -: Standard output could not be written.\n");
#endif
}

TEST(Cli, ErrorLinesNameTheProgramAndTheFile)
{
    TempDir dir;
    std::ofstream(dir / "short.rbc") << "\x05" << "ab";
    ASSERT_TRUE(saveCarFile(dir / "d.rbc", dusty()));
    fs::create_directory(dir / "Addon");
    const std::pair<const char*, const char*> cases[] = {
        {"show short.rbc", "rivetbay-cli: short.rbc: An attempt was made to access an unnamed file past its end.\n"},
        {"show none.rbc", "rivetbay-cli: none.rbc: an unnamed file was not found. (No such file or directory)\n"},
        {"show d.rbc --vcf-dir gone",
         "rivetbay-cli: gone: The vehicle directory could not be read (No such file or directory).\n"},
        {"vcf d.rbc Addon", "rivetbay-cli: Addon: Access to Addon was denied.\n"},
    };
    for (const auto& [args, err] : cases) expectRun(dir, args, 1, err);
    // "addon" finds the folder "Addon", as the game's own platform does.
    const std::string exported = run(dir, "export d.rbc --vcf-dir addon").out;
#ifdef _WIN32
    EXPECT_EQ(exported, "addon\\vgoon4.vcf\n"); // the platform finds it in any case
    // A drive-relative folder stays relative: the drive's current folder, here the test's own.
    EXPECT_EQ(run(dir, "list " + utf8FromPath(dir.path()).substr(0, 2) + "Addon --model 16").out, "Dusty \xC3\xA9\n");
#else
    EXPECT_EQ(exported, "Addon/vgoon4.vcf\n");
#endif
    expectRun(dir, "export d.rbc --vcf-dir addon", 1,
              "rivetbay-cli: d.rbc: The variant must have a unique model/name combination.\n");
}

TEST(Cli, CheckReportsWhatTheGameWouldNotKeep)
{
    TempDir dir;
    const auto save = [&](const char* file, const std::function<void(CarConfig&)>& change) {
        CarConfig c = dusty();
        change(c);
        ASSERT_TRUE(saveCarFile(dir / file, c));
    };
    save("good.rbc", [](CarConfig&) {});
    save("15.rbc", [](CarConfig& c) { c.name = "Fifteen Letters"; }); // what the game keeps
    save("m.rbc", [](CarConfig& c) { c.model = 99; }); // nothing said of the points that follow
    save("odd.rbc", [](CarConfig& c) { c.frontWeapons[1] = 25; });
    save("long.rbc", [](CarConfig& c) { c.name = "A Very Long Variant"; });
    save("spent.rbc", [](CarConfig& c) { c.armor[Left] += 3; });
    save("below.rbc", [](CarConfig& c) { // within the budget
        c.chassis[Rear] = -3;
        c.freePoints += dusty().chassis[Rear] + 3;
    });
    save("zero.rbc", [](CarConfig& c) { c.name = std::string("\0Dusty", 6); }); // the game reads no name
    run(dir, "check good.rbc");
    const CliRun bad = run(dir, "check good.rbc 15.rbc m.rbc odd.rbc long.rbc spent.rbc below.rbc zero.rbc", 1);
    EXPECT_EQ(bad.out, "good.rbc: OK\n15.rbc: OK\n");
    EXPECT_EQ(bad.err,
              "rivetbay-cli: m.rbc: model is 99, outside its table (0 to 37).\n"
              "rivetbay-cli: odd.rbc: frontWeapons[1] is 25, outside its table (0 to 19).\n"
              "rivetbay-cli: long.rbc: The name has 19 characters; the game keeps 15.\n"
              "rivetbay-cli: spent.rbc: The points add up to 163, not the model's 160.\n"
              "rivetbay-cli: below.rbc: The rear chassis holds -3 points; a side holds none or more.\n"
              "rivetbay-cli: zero.rbc: The name holds a NUL byte; the game reads only \"\".\n");
    fs::create_directory(dir / "game");
    expectRun(dir, "export zero.rbc --vcf-dir game", 1,
              "rivetbay-cli: zero.rbc: The variant must have a unique model/name combination.\n");
    // show says so too, rather than printing "-" without a word.
    expectRun(dir, "show odd.rbc", 0,
              "rivetbay-cli: odd.rbc: frontWeapons[1] is 25, outside its table (0 to 19); shown as none.\n");
}

TEST(Cli, VehicleFilesAreShownAndImported)
{
    TempDir dir;
    ASSERT_TRUE(VcfWriter(dir / "vgoon4.vcf", dusty()));
    ASSERT_TRUE(saveCarFile(dir / "d.rbc", dusty()));
    std::string odd = testkit::readText(dir / "vgoon4.vcf");
    odd[121] = static_cast<char>(0xFF); // armor front 255 instead of 250
    std::ofstream(dir / "odd.vcf", std::ios::binary) << odd;

    // show tells the two kinds apart by content, whatever the name.
    EXPECT_EQ(run(dir, "show vgoon4.vcf").out, run(dir, "show d.rbc").out);
    const CliRun warned = run(dir, "show odd.vcf --json");
    EXPECT_EQ(nlohmann::json::parse(warned.out)["warnings"].size(), 1u);
    EXPECT_NE(warned.err.find("rivetbay-cli: odd.vcf: armor front 255"), std::string::npos) << warned.err;

    // A car file named on the command line is the one written, whether it is there or not.
    for (const char* words : {"import vgoon4.vcf back.rbc", "import vgoon4.vcf back.rbc", "import --force vgoon4.vcf back.rbc"}) {
        run(dir, words); // the first over nothing, the others over the one before
        EXPECT_EQ(testkit::readText(dir / "back.rbc"), testkit::readText(dir / "d.rbc")) << words;
        std::ofstream(dir / "back.rbc") << "older";
    }

    fs::create_directory(dir / "cars");
    const CliRun many = run(dir, "import --into cars vgoon4.vcf odd.vcf d.rbc", 1); // a car file is no vehicle file
    EXPECT_TRUE(fs::exists(dir / "cars" / "vgoon4.rbc") && fs::exists(dir / "cars" / "odd.rbc"));
    EXPECT_NE(many.err.find("rivetbay-cli: d.rbc: It is not a vehicle file of the game.\n"), std::string::npos)
        << many.err; // the file named once
    run(dir, "import vgoon4.vcf", 2);
}

TEST(Cli, TheBillPutsEverythingInItsOwnPlace)
{
    TempDir dir;
    // A Piranha (two top mounts) with a turret, and eight sides all different.
    const CarConfig spread{.name = "Spread", .model = 14, .topWeapons = {2, 5}, .specials = {2, 5, 11}, .turret = 1,
                           .freePoints = 2, .armor = {41, 40, 39, 38}, .chassis = {31, 30, 29, 28}};
    ASSERT_TRUE(saveCarFile(dir / "s.rbc", spread));
    CarConfig odd = spread;
    odd.engine = 25;
    ASSERT_TRUE(saveCarFile(dir / "odd.rbc", odd));
    const CliRun shown = run(dir, "show s.rbc");
    EXPECT_NE(shown.out.find("Top 1         50cal MG (turret)               1185\n"
                             "Top 2         25mm Cannon                     1750\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("Special 1     Nitrous Oxide                    500\n"
                             "Special 2     Structo Bumper                   600\n"
                             "Special 3     Tire Covers                      200\n"), std::string::npos) << shown.out;
    EXPECT_EQ(std::count(shown.out.begin(), shown.out.end(), '('), 1); // "(turret)" once
    // Only the mounts the model has: the Piranha drops from one.
    for (const auto& [line, shows] : {std::pair{"Dropper 1 ", true}, {"Dropper 2", false}, {"Front 1", false}, {"Rear 2", false}})
        EXPECT_EQ(shown.out.find(line) != std::string::npos, shows) << line << " in\n" << shown.out;
    EXPECT_NE(shown.out.find("Free points   2\n"
                             "Armor         front 41  rear 40  left 39  right 38\n"
                             "Chassis       front 31  rear 30  left 29  right 28\n"), std::string::npos) << shown.out;
    // After a file that failed, the next bill still stands under its own name.
    EXPECT_EQ(run(dir, "show none.rbc s.rbc", 1).out, "==> s.rbc <==\n" + shown.out);
    const auto j = nlohmann::json::parse(run(dir, "show odd.rbc --json").out);
    EXPECT_EQ(j["outOfRange"], nlohmann::json::parse(R"([{"field": "engine", "value": 25}])"));
}

TEST(Cli, ImportNeverReplacesAFileNorWritesWhatItReads)
{
    TempDir dir;
    for (const char* folder : {"a", "b", "cars"}) fs::create_directory(dir / folder);
    ASSERT_TRUE(VcfWriter(dir / "a" / "vgoon4.vcf", dusty()));
    CarConfig other = dusty();
    other.name = "Other";
    ASSERT_TRUE(VcfWriter(dir / "b" / "vgoon4.vcf", other));
    std::ofstream(dir / "cars" / "vgoon4.rbc") << "mine";
    const CliRun kept = run(dir, "import --into cars a/vgoon4.vcf b/vgoon4.vcf", 1);
    EXPECT_EQ(testkit::readText(dir / "cars" / "vgoon4.rbc"), "mine");
    EXPECT_NE(kept.err.find("vgoon4.rbc already exists; it is left as it is"), std::string::npos) << kept.err;
    CarConfig second; // the later file of the same name is numbered, not lost
    ASSERT_TRUE(readCarFile(dir / "cars" / "vgoon4-2.rbc", second));
    EXPECT_EQ(second.name, "Other");
    run(dir, "import --force --into cars a/vgoon4.vcf");
    EXPECT_TRUE(readCarFile(dir / "cars" / "vgoon4.rbc", second));
    // Names that differ only in letter case are one name on many disks.
    for (const char* folder : {"c", "cases"}) fs::create_directory(dir / folder);
    fs::copy_file(dir / "b" / "vgoon4.vcf", dir / "c" / "VGOON4.vcf");
    fs::copy_file(dir / "a" / "vgoon4.vcf", dir.path() / pathFromUtf8("a/\xC3\x89.vcf"));
    fs::copy_file(dir / "b" / "vgoon4.vcf", dir.path() / pathFromUtf8("c/\xC3\xA9.vcf"));
    run(dir, "import --into cases a/vgoon4.vcf c/VGOON4.vcf a/\xC3\x89.vcf c/\xC3\xA9.vcf");
    EXPECT_TRUE(fs::exists(dir / "cases" / "VGOON4-2.rbc"));
    EXPECT_TRUE(fs::exists(dir.path() / pathFromUtf8("cases/\xC3\xA9-2.rbc")));
    // A numbered name is never a replacement, with or without --force: numbering moves
    // past the player's own files, and --force replaces only the name made from the file.
    fs::create_directory(dir / "out");
    std::ofstream(dir / "out" / "vgoon4-2.rbc") << "mine";
    for (const std::string force : {"", "--force "}) {
        SCOPED_TRACE(force);
        fs::remove(dir / "out" / "vgoon4-3.rbc");
        EXPECT_EQ(run(dir, "import " + force + "--into out a/vgoon4.vcf b/vgoon4.vcf").err, "rivetbay-cli: b/vgoon4.vcf: Imported as vgoon4-3.rbc, since an earlier "
                            "file of the same name takes vgoon4.rbc.\n");
        EXPECT_EQ(testkit::readText(dir / "out" / "vgoon4-2.rbc"), "mine");
        ASSERT_TRUE(readCarFile(dir / "out" / "vgoon4-3.rbc", second));
        EXPECT_EQ(second.name, "Other");
    }
    // Letters the file system folds and the program's own table does not (Ά and ά): it decides.
    fs::create_directory(dir / "folds");
    fs::copy_file(dir / "a" / "vgoon4.vcf", dir.path() / "a" / pathFromUtf8("\xCE\x86.vcf"));
    fs::copy_file(dir / "b" / "vgoon4.vcf", dir.path() / "b" / pathFromUtf8("\xCE\xAC.vcf"));
    run(dir, "import --force --into folds a/\xCE\x86.vcf b/\xCE\xAC.vcf");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "folds"), fs::directory_iterator()), 2);
    ASSERT_TRUE(readCarFile(dir / "folds" / pathFromUtf8("\xCE\x86.rbc"), second));
    EXPECT_EQ(second.name, "Dusty \xE9");
#ifndef _WIN32
    // Created exclusively: whatever stands at the name, even a link to nowhere, is kept.
    fs::create_symlink(dir / "nowhere", dir / "cars" / "vgoon4-3.rbc");
    fs::copy_file(dir / "b" / "vgoon4.vcf", dir / "b" / "vgoon4-3.vcf");
    run(dir, "import --into cars b/vgoon4-3.vcf", 1);
    EXPECT_TRUE(fs::is_symlink(dir / "cars" / "vgoon4-3.rbc"));
#endif

    // Its own input as its output: refused before anything is written.
    const std::string vehicle = testkit::readText(dir / "a" / "vgoon4.vcf");
    expectRun(dir, "import a/vgoon4.vcf a/vgoon4.vcf", 1,
              "rivetbay-cli: a/vgoon4.vcf: It is the file being read; nothing was written.\n");
#ifndef _WIN32
    fs::create_hard_link(dir / "a" / "vgoon4.vcf", dir / "linked.rbc");
    run(dir, "import a/vgoon4.vcf linked.rbc", 1);
#endif
    EXPECT_EQ(testkit::readText(dir / "a" / "vgoon4.vcf"), vehicle);

    // "-" is standard input and standard output here too.
    run(dir, "import - piped.rbc < a/vgoon4.vcf");
    CarConfig piped;
    ASSERT_TRUE(readCarFile(dir / "piped.rbc", piped));
    EXPECT_EQ(piped.name, dusty().name);
    EXPECT_EQ(run(dir, "import a/vgoon4.vcf -").out, testkit::readText(dir / "piped.rbc"));
}

// A car file never lands where the game looks for vehicle files, nor a
// vehicle file over a player's car file, whatever the command.
TEST(Cli, EachKindOfFileKeepsToItsOwnName)
{
    TempDir dir;
    ASSERT_TRUE(VcfWriter(dir / "game.vcf", dusty()));
    ASSERT_TRUE(VcfWriter(dir / "game.dat", dusty()));
    ASSERT_TRUE(saveCarFile(dir / "mine.rbc", dusty()));
    ASSERT_TRUE(saveCarFile(dir / "mine.dat", dusty()));
    const std::tuple<const char*, const char*, const char*> cases[] = { // the words, the file kept, what is said
        {"import game.vcf other.VCF", "game.vcf",
         "rivetbay-cli: other.VCF: A car file is not written under a vehicle file's name (.vcf)"},
        {"import game.dat game.vcf", "game.vcf", "game.vcf: A car file is not written"},
        {"vcf mine.rbc other.rbc", "mine.rbc",
         "rivetbay-cli: other.rbc: A vehicle file is not written under a car file's name (.rbc)"},
        {"import game.vcf game.dat", "game.dat",
         "rivetbay-cli: game.dat: It holds a vehicle file of the game; the car file made from game.vcf "
         "does not replace it."},
        {"vcf mine.rbc mine.dat", "mine.dat",
         "rivetbay-cli: mine.dat: It holds a Rivetbay car file; the vehicle file made from mine.rbc "
         "does not replace it."},
        {"vcf mine.rbc mine.rbc", "mine.rbc", "rivetbay-cli: mine.rbc: It is the file being read"},
    };
#ifdef _WIN32 // where a name's trailing dots and spaces are dropped: judged as stored
    for (const char* words : {"import game.vcf \"other.vcf.\"", "vcf mine.rbc \"other.rbc. \""}) {
        run(dir, words, 1);
        EXPECT_FALSE(fs::exists(dir / "other.vcf") || fs::exists(dir / "other.rbc")) << words;
    }
#endif
    for (const auto& [words, kept, said] : cases) {
        const std::string before = testkit::readText(dir / kept);
        const CliRun refused = run(dir, words, 1);
        EXPECT_NE(refused.err.find(said), std::string::npos) << words << ": " << refused.err;
        EXPECT_EQ(testkit::readText(dir / kept), before) << words;
        EXPECT_FALSE(fs::exists(dir / "other.VCF") || fs::exists(dir / "other.rbc")) << words;
    }
}

TEST(Cli, WhatItPrintsIsWhatATerminalShowsAndWhatFailsIsSaid)
{
    TempDir dir;
    CarConfig sly = dusty();
    sly.name = "a\x1b[2Jb\nc"; // an escape sequence and a line break from a file
    ASSERT_TRUE(saveCarFile(dir / "sly.rbc", sly));
    ASSERT_TRUE(VcfWriter(dir / "vgoon4.vcf", sly));
    EXPECT_NE(run(dir, "show sly.rbc").out.find("Name          a\\x1b[2Jb\\nc\n"), std::string::npos);
    EXPECT_EQ(run(dir, "list . --model 16").out, "a\\x1b[2Jb\\nc\n"); // one entry, one line
    std::string painted = testkit::readText(dir / "vgoon4.vcf");
    painted.replace(57, 4, "\x1b[2J"); // the paint texture's name
    std::ofstream(dir / "painted.vcf", std::ios::binary) << painted;
    EXPECT_NE(run(dir, "show painted.vcf").err.find("paint texture \"\\x1b[2J"), std::string::npos);
    expectRun(dir, "vcf sly.rbc \"\"", 1, "rivetbay-cli: No file name was given.\n");
#ifndef _WIN32
    // A name that is not UTF-8 costs the other files nothing.
    ASSERT_TRUE(saveCarFile(dir / "\xFF\xFE.rbc", dusty()));
    const auto j = nlohmann::json::parse(run(dir, "show --json \"$(printf '\\377\\376.rbc')\" sly.rbc").out);
    ASSERT_EQ(j.size(), 2u);
    EXPECT_EQ(j[0]["path"], "\xEF\xBF\xBD\xEF\xBF\xBD.rbc"); // each bad byte as U+FFFD
    // File names on standard output are escaped as they are on standard error.
    ASSERT_TRUE(saveCarFile(dir / "\x1b]0;x\x07.rbc", dusty()));
    fs::create_directory(dir / "g\x1b[2J");
    const std::string titled = "\"$(printf '\\033]0;x\\007.rbc')\"";
    EXPECT_EQ(run(dir, "check " + titled).out, "\\x1b]0;x\\x07.rbc: OK\n");
    EXPECT_NE(run(dir, "show sly.rbc " + titled).out.find("==> \\x1b]0;x\\x07.rbc <==\n"), std::string::npos);
    EXPECT_EQ(run(dir, "export " + titled + " --vcf-dir \"$(printf 'g\\033[2J')\"").out, "g\\x1b[2J/vgoon4.vcf\n");
    EXPECT_EQ(run(dir, "show \"$(printf 'a\\nb.rbc')\"", 1).err, // one error, one line
              "rivetbay-cli: a\\nb.rbc: an unnamed file was not found. (No such file or directory)\n");
    if (!testkit::runningAsRoot()) GTEST_SKIP() << "devices and other users need root";
    ASSERT_EQ(::mknod((dir / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
    ASSERT_EQ(::mknod((dir / "zero").c_str(), S_IFCHR | 0666, makedev(1, 5)), 0);
    expectRun(dir, "show sly.rbc > full", 1, "rivetbay-cli: standard output: No space left on device\n");
    run(dir, "list . >&-", 1); // a closed stream
    expectRun(dir, "show - < zero", 1, "rivetbay-cli: -: Standard input is too long to be a car file.\n");
    // An export into a folder its user may not write names the reason.
    fs::create_directory(dir / "locked");
    fs::permissions(dir.path(), fs::perms::all);
    fs::permissions(dir / "locked", fs::perms(0555));
    fs::remove(dir / "stderr.txt"); // the other user's run writes its own
    // A copy the other user may run wherever the build tree is (a 0700 folder, say).
    fs::copy_file(RIVETBAY_CLI, dir / "rivetbay-cli");
    EXPECT_TRUE(testkit::asOtherUser([&] {
        const CliRun denied = run(dir, "export sly.rbc --vcf-dir locked", anyStatus, (dir / "rivetbay-cli").string());
        return denied.status == 1 &&
               denied.err == "rivetbay-cli: locked/vgoon4.vcf: Access to locked/vgoon4.vcf was denied.\n";
    }));
#endif
}

TEST(Cli, UsageVersionAndHelp)
{
    TempDir dir;
    expectRun(dir, "fly", 2,
              "rivetbay-cli: 'fly' is not a command (show, check, vcf, export, list, import).\n"
              "Run 'rivetbay-cli --help' for more information.\n");
    for (const char* args : {"", "show", "list", "vcf one", "list . --model x", "list . --model 38"}) {
        const CliRun bad = run(dir, args, 2);
        // One line saying what is wrong, one pointing at the help.
        EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 2) << args << ": " << bad.err;
        EXPECT_NE(bad.err.find("--help' for more information."), std::string::npos) << args;
    }
    run(dir, "--help");
    EXPECT_EQ(run(dir, "--version").out, "rivetbay-cli " RIVETBAY_VERSION "\n");
#ifdef RIVETBAY_EDITOR
    // The editor answers both without a window and without touching its settings.
    for (const char* args : {"--version", "--help"}) {
        const CliRun editor = run(dir, std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") + RIVETBAY_EDITOR + " " + args, 0, "");
        EXPECT_NE(editor.out.find("Rivetbay"), std::string::npos) << args;
        EXPECT_FALSE(fs::exists(dir / "Rivetbay.ini")) << args;
    }
    // Without a display it says so plainly, instead of the toolkit's abort.
    const CliRun headless = run(dir, std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") + RIVETBAY_EDITOR, 1, "");
    EXPECT_NE(headless.err.find("no graphical display was found"), std::string::npos) << headless.err;
    EXPECT_FALSE(fs::exists(dir / "Rivetbay.ini"));
    // A display that is set and cannot be reached: the same plain word, no abort.
    const CliRun unreachable = run(dir, std::string("env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:9876 ") + RIVETBAY_EDITOR, 1, "");
    EXPECT_EQ(unreachable.err, "Rivetbay: the graphical display \":9876\" could not be reached. Rivetbay is "
                               "a desktop program and needs one; rivetbay-cli works without.\n");
    EXPECT_FALSE(fs::exists(dir / "Rivetbay.ini"));
#endif
}

} // namespace
} // namespace rivetbay
