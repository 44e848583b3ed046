#include "app/WinePrefixes.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace rivetbay {
namespace {

namespace fs = std::filesystem;
using testkit::TempDir;

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

    const std::vector<fs::path> found = wineDriveFolders(home.path(), own.path());
    const std::vector<fs::path> expected{own / "drive_c", home / ".wine" / "drive_c",
                                         steam / "1100" / "pfx" / "drive_c",
                                         steam / "2200" / "pfx" / "drive_c"};
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(wineDriveFolders(own / "drive_c", "").empty()); // a home with no prefix
}

#endif

} // namespace
} // namespace rivetbay
