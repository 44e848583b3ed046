#include "app/Startup.h"
#include "files/TextEncoding.h"

#include "Testkit.h"

#include <future>
#include <optional>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>
#endif

#include <chrono>

namespace rivetbay {
namespace {

bool writePaths(const std::filesystem::path& file, const std::filesystem::path& vcf, const std::filesystem::path& rbc)
{
    return writePathSettings(file, {vcf, rbc});
}

TEST(Startup, CommandLines)
{
    struct Case {
        std::vector<std::string> words;
        bool exportToGame;
        std::string start;  // where the settings are; "work" for a start by hand
        std::string opened; // the file the start opens
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opened);
        const EditorLaunch launch = launchFrom(c.words, "work", "home");
        EXPECT_EQ(launch.exportToGame, c.exportToGame);
        EXPECT_EQ(launch.startDirectory, c.start);
        EXPECT_EQ(launch.moves, c.start != "work");
        EXPECT_EQ(launch.file, std::filesystem::path(c.opened).make_preferred());
    }
    // The installed entries' switch with no home known: a start by hand.
    const EditorLaunch homeless = launchFrom({"--settings-at-home", "car.rbc"}, "work", "");
    EXPECT_EQ(std::tie(homeless.startDirectory, homeless.moves), std::tuple(std::filesystem::path("work"), false));
}

#ifndef _WIN32 // Windows, with its two separators, has a test of its own
TEST(Startup, VcfPathFromTheChosenFile)
{
    TempDir dir;
    const std::string root = dir.path().string();
    EXPECT_EQ(vcfPathFromChosenFile(root + "/readme.txt"), root);
    EXPECT_EQ(vcfPathFromChosenFile(root + "/Nitro.exe"), root + "/addon");
    EXPECT_EQ(vcfPathFromChosenFile(root + "/NITRO.EXE.bak"), root + "/addon");
    EXPECT_EQ(vcfPathFromChosenFile(root + "/notnitro.exe"), root);
    std::filesystem::create_directory(dir / "Addon");
    EXPECT_EQ(vcfPathFromChosenFile(root + "/nitro.exe"), root + "/Addon");
}
#endif

// Answers the first-run dialogs from a script and counts them.
class ScriptedDialogs final : public FirstRunDialogs {
public:
    explicit ScriptedDialogs(std::optional<std::string> answer) : answer_(std::move(answer)) {}
    void explain() override { ++explained; }
    std::optional<std::string> locateGame() override
    {
        ++asked;
        return answer_;
    }
    int explained = 0, asked = 0;

private:
    std::optional<std::string> answer_;
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
    ASSERT_TRUE(writePaths(start / "Rivetbay.ini", (start / "Rivetbay.ini").string(), "."));
    ScriptedDialogs again(std::nullopt);
    startUp(home, again);
    EXPECT_EQ(again.asked, 1);

    // A car folder that has gone, or is a file, is replaced in memory only, until the next write.
    ASSERT_TRUE(writePaths(start / "Rivetbay.ini", ".", (start / "Rivetbay.ini").string()));
    EXPECT_EQ(startUp(home, none).paths.rbcPath, home);
    ASSERT_TRUE(writePaths(start / "Rivetbay.ini", ".", (start / "gone").string()));
    const StartupState later = startUp(home, none);
    EXPECT_EQ(later.paths.rbcPath, home);
    EXPECT_NE(testkit::readText(start / "Rivetbay.ini").find("RBC_Path=" + (start / "gone").string()),
              std::string::npos);
}

#ifndef _WIN32 // another process holding the folder's lock
TEST(Startup, ALockNobodyReleasesIsWaitedForOnlyAWhile)
{
    TempDir start;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) { // holds the lock until it is killed
        const int folder = ::open(start.path().c_str(), O_RDONLY | O_DIRECTORY);
        ::flock(folder, LOCK_EX);
        (void)!::write(ready[1], "x", 1);
        for (;;) ::pause();
    }
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    auto work = std::async(std::launch::async, [&] {
        ScriptedDialogs none(std::nullopt);
        const StartupState state = startUp(start.path().string(), none); // reads, writes, asks, writes
        EXPECT_TRUE(writePaths(start / "Rivetbay.ini", ".", "after")); // as OPEN and SAVE write
        return state;
    });
    // All of it done while the holder still holds the lock; a deadline, not a hang.
    const bool done = work.wait_for(std::chrono::seconds(120)) == std::future_status::ready;
    ::kill(holder, SIGKILL); // lets a writer that waits for ever go on, so the test can end
    ::waitpid(holder, nullptr, 0);
    ASSERT_TRUE(done) << "the settings writes waited for a lock that is never released";
    EXPECT_EQ(work.get().paths.vcfPath, ".");
    EXPECT_EQ(readPathSettings(start / "Rivetbay.ini", "").rbcPath, "after");
}
#endif

} // namespace
} // namespace rivetbay
