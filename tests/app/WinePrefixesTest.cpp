#include "app/WinePrefixes.h"

#include "Testkit.h"

namespace rivetbay {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32 // Wine prefixes are where Linux players keep the game
TEST(WinePrefixes, EveryExistingDriveOnceWithWinePrefixFirst)
{
    TempDir home, own;
    fs::create_directories(own / "drive_c");
    fs::create_directories(home / ".wine" / "drive_c");
    const fs::path steam = home / ".local" / "share" / "Steam" / "steamapps" / "compatdata";
    fs::create_directories(steam / "2200" / "pfx" / "drive_c");
    fs::create_directories(steam / "1100" / "pfx" / "drive_c");
    fs::create_directories(steam / "3300" / "pfx"); // no drive: a prefix being made
    fs::create_directories(home / ".steam");
    fs::create_directory_symlink(home / ".local" / "share" / "Steam", home / ".steam" / "steam");

    fs::create_directories(home / "games" / "nitro" / "drive_c");

    std::vector<std::pair<std::string, fs::path>> found;
    for (const WineDrive& d : wineDrives(home.path(), own.path())) found.emplace_back(d.label, d.folder);
    const std::vector<std::pair<std::string, fs::path>> expected{
        {"Wine (" + own.path().string() + ")", own / "drive_c"},
        {"Wine (~/.wine)", home / ".wine" / "drive_c"},
        {"Steam 1100", steam / "1100" / "pfx" / "drive_c"},
        {"Steam 2200", steam / "2200" / "pfx" / "drive_c"}};
    EXPECT_EQ(found, expected);
    // Each place is told by its own name, a prefix in the home folder with "~".
    const auto inHome = wineDrives(home.path(), home / "games" / "nitro");
    ASSERT_FALSE(inHome.empty());
    EXPECT_EQ(inHome[0].label, "Wine (~/games/nitro)");
    EXPECT_TRUE(wineDrives(own / "drive_c", "").empty()); // a home with no prefix
}

#endif

} // namespace
} // namespace rivetbay
