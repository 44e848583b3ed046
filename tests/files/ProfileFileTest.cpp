#include "files/ProfileFile.h"
#include "files/TextEncoding.h"
#include "app/Startup.h"

#include "OtherUser.h"
#include "Testkit.h"

#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace rivetbay {
namespace {

// As Windows writes it, with a comment, another section and odd spacing.
const std::string windowsFile = "; Rivetbay settings\r\n"
                                "[Other]\r\n"
                                "VCF_Path=wrong\r\n"
                                "\r\n"
                                "[ paths ]\r\n"
                                "  vcf_path =  C:\\Games\\I'76 Nitro\\addon  \r\n"
                                ";RBC_Path=commented\r\n"
                                "RBC_Path=\"C:\\Cars\"\r\n"
                                "\r\n"
                                "[Last]\r\n"
                                "x=1\r\n";

TEST(ProfileFile, ReadsAsWindowsDoes)
{
    const std::string longer = "[Paths]\nVCF_Path=" + std::string(5000, 'a');
    const std::tuple<std::string, const char*, const char*, std::string> cases[] = { // file, section, key, value
        {windowsFile, "Paths", "VCF_Path", "C:\\Games\\I'76 Nitro\\addon"}, {windowsFile, "PATHS", "rbc_path", "C:\\Cars"},
        {windowsFile, "Other", "VCF_Path", "wrong"}, {windowsFile, "Paths", "Missing", "fallback"},
        {windowsFile, "Nowhere", "VCF_Path", "fallback"}, {"[Paths]\nVCF_Path=\n", "Paths", "VCF_Path", ""},
        // A quote that is never closed is part of the value, every character of it.
        {"[Paths]\nVCF_Path=\"C:\\Cars\n", "Paths", "VCF_Path", "\"C:\\Cars"}, {"[Paths]\nVCF_Path='\n", "Paths", "VCF_Path", "'"},
        // A key or a section twice: the first one is read, as Windows reads it.
        {"[Paths]\nVCF_Path=a\nVCF_Path=b\n", "Paths", "VCF_Path", "a"},
        {"[Paths]\nX=1\n[Paths]\nVCF_Path=b\n", "Paths", "VCF_Path", "fallback"},
        {longer, "Paths", "VCF_Path", std::string(4095, 'a')},
    };
    for (const auto& [file, section, key, value] : cases)
        EXPECT_EQ(profileStringIn(file, section, key, "fallback"), value) << file.substr(0, 40) << ": " << section << "/" << key;
}

TEST(ProfileFile, AWriteChangesOnlyItsLine)
{
    std::string replaced = windowsFile;
    replaced.replace(replaced.find("  vcf_path"), 41, "VCF_Path=.");
    const std::pair<std::string, std::string> cases[] = { // before, after
        {windowsFile, replaced},
        {"", "[Paths]\r\nVCF_Path=.\r\n"},
        {"[Paths]\r\nRBC_Path=C:\\\r\n\r\n[Next]\r\n", "[Paths]\r\nRBC_Path=C:\\\r\nVCF_Path=.\r\n\r\n[Next]\r\n"},
        {"[Paths]\nRBC_Path=/home", "[Paths]\nRBC_Path=/home\nVCF_Path=.\n"},
        {"[Other]\r\na=b", "[Other]\r\na=b\r\n[Paths]\r\nVCF_Path=.\r\n"},
        {"[paths]\n", "[paths]\nVCF_Path=.\n"},
        {"[Paths]\nVCF_Path=a\nVCF_Path=b\n", "[Paths]\nVCF_Path=.\nVCF_Path=b\n"}, // the first one
        {"[Paths]\nX=1\n[Paths]\nVCF_Path=b\n", "[Paths]\nX=1\nVCF_Path=.\n[Paths]\nVCF_Path=b\n"},
    };
    for (const auto& [before, after] : cases)
        EXPECT_EQ(withProfileString(before, "Paths", "VCF_Path", "."), after) << before;
}

bool writePaths(const std::filesystem::path& file, std::string_view vcf, std::string_view rbc)
{
    return writeProfileStrings(file, "Paths", {{"VCF_Path", vcf}, {"RBC_Path", rbc}});
}

// Settings files that are not what they seem: each is read as unreadable or
// read right, never hangs, never aborts, and is never replaced unless it was
// read.
TEST(ProfileFile, DamagedAndSpecialSettingsFiles)
{
    namespace fs = std::filesystem;
    using enum ProfileFile::State;
    // What, how it is made, how it reads, whether it is written.
    const std::tuple<const char*, std::function<void(const fs::path&)>, ProfileFile::State, bool> cases[] = {
        {"a directory", [](const auto& f) { fs::create_directory(f); }, Unreadable, false},
        {"larger than any settings file",
         [](const auto& f) { std::ofstream(f) << std::string(profileFileLimit + 1, 'x'); }, Unreadable, false},
#ifndef _WIN32 // FIFOs, devices, and links without privileges
        {"a FIFO", [](const auto& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }, Unreadable, false},
        {"a link to an endless device",
         [](const auto& f) {
             const auto zero = f.parent_path() / "zero"; // a FIFO stands in without root
             ASSERT_EQ(testkit::runningAsRoot() ? ::mknod(zero.c_str(), S_IFCHR | 0666, makedev(1, 5))
                                                : ::mkfifo(zero.c_str(), 0600), 0);
             fs::create_symlink(zero, f);
         },
         Unreadable, false},
        {"a dangling link", [](const auto& f) { fs::create_symlink("elsewhere.ini", f); }, Missing, true},
#endif
    };
    for (const auto& [what, make, state, writable] : cases) {
        SCOPED_TRACE(what);
        TempDir dir;
        const auto file = dir / "Rivetbay.ini";
        make(file);
        const auto before = std::filesystem::symlink_status(file).type();
        EXPECT_EQ(readProfileFile(file).state, state);
        EXPECT_EQ(writePaths(file, ".", "/cars"), writable);
        EXPECT_EQ(std::filesystem::symlink_status(file).type(), before);
        const PathSettings read = readPathSettings(file, "/start");
        EXPECT_EQ(read.rbcPath, writable ? "/cars" : "/start");
    }
}

#ifndef _WIN32 // another user and mode bits
TEST(ProfileFile, AFileThatCannotBeReadIsLeftAlone)
{
    TempDir dir;
    const auto file = dir / "Rivetbay.ini";
    const std::string mine = "[Paths]\r\nVCF_Path=/games\r\n[Mine]\r\nkeep=1\r\n";
    std::ofstream(file, std::ios::binary) << mine;
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    // Writable but not readable: a write would lose the keys it cannot see.
    std::filesystem::permissions(file, std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_write |
                                           std::filesystem::perms::others_write);
    EXPECT_TRUE(testkit::asOtherUser([&] {
        return readProfileFile(file).state == ProfileFile::State::Unreadable &&
               readPathSettings(file, "/start").vcfPath.empty() && !writePaths(file, ".", "/start");
    }));
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    EXPECT_EQ(testkit::readText(file), mine);
}
#endif

TEST(ProfileFile, KeepsTheFilesOwnEncodingAndForm)
{
    const std::string utf16 = std::string("\xFF\xFE[\0P\0a\0t\0h\0s\0]\0\r\0\n\0", 20);
    const std::tuple<const char*, std::string, std::string> cases[] = { // what, before, after
        {"a UTF-8 mark", "\xEF\xBB\xBF[Paths]\r\nVCF_Path=old\r\n",
         "\xEF\xBB\xBF[Paths]\r\nVCF_Path=.\r\nRBC_Path=\xC3\xA9\r\n"},
        {"UTF-16 with its mark", utf16,
         utf16 + std::string("V\0C\0F\0_\0P\0a\0t\0h\0=\0.\0\r\0\n\0"
                             "R\0B\0C\0_\0P\0a\0t\0h\0=\0\xE9\0\r\0\n\0", 48)},
        {"a line that was quoted", "[Paths]\nRBC_Path=\"My Cars\"\n", "[Paths]\nRBC_Path=\"\xC3\xA9\"\nVCF_Path=.\n"},
    };
    for (const auto& [what, before, after] : cases) {
        SCOPED_TRACE(what);
        TempDir dir;
        const auto file = dir / "Rivetbay.ini";
        std::ofstream(file, std::ios::binary) << before;
        ASSERT_TRUE(writePaths(file, ".", "\xC3\xA9"));
        ASSERT_TRUE(writePaths(file, ".", "\xC3\xA9")); // a second start changes nothing
        EXPECT_EQ(testkit::readText(file), after);
        EXPECT_EQ(utf8FromPath(readPathSettings(file, "/start").rbcPath), "\xC3\xA9");
    }
}

TEST(ProfileFile, ValuesReadBackExactly)
{
    TempDir dir;
    const auto file = dir / "Rivetbay.ini";
    for (const std::string value : {" spaced ", "\"quoted\"", "'single'", "plain", "", "\"C:\\Cars"}) {
        ASSERT_TRUE(writePaths(file, value, "x")) << value;
        ASSERT_TRUE(writePaths(file, utf8FromPath(readPathSettings(file, "").vcfPath), "x")) << value;
        EXPECT_EQ(readPathSettings(file, "").vcfPath, value);
    }
    // A value that would add lines to the file is refused, and the file kept.
    const std::string before = testkit::readText(file);
    EXPECT_FALSE(writePaths(file, "two\nlines", "x"));
    EXPECT_FALSE(writePaths(file, "x", "cr\rhere"));
    EXPECT_EQ(testkit::readText(file), before);
}

TEST(ProfileFile, ConcurrentWritersKeepEachOthersKeys)
{
    TempDir dir;
    const auto file = dir / "Rivetbay.ini";
    std::ofstream(file, std::ios::binary) << "[Other]\r\nmine=1\r\n";
    std::vector<std::thread> writers;
    for (int k = 0; k < 8; ++k)
        writers.emplace_back([&, k] {
            const std::string key = "Key" + std::to_string(k);
            for (int round = 0; round < 10; ++round)
                EXPECT_TRUE(writeProfileStrings(file, "Mine", {{key, std::to_string(round)}}));
        });
    for (auto& w : writers) w.join();
    const std::string text = testkit::readText(file);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(profileStringIn(text, "Mine", "Key" + std::to_string(k), ""), "9") << text;
    EXPECT_EQ(profileStringIn(text, "Other", "mine", ""), "1");
}

} // namespace
} // namespace rivetbay
