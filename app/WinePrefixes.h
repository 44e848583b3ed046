#pragma once

// Players on Linux run the game under Wine, so it usually sits inside a Wine
// prefix: $WINEPREFIX, ~/.wine, or one of Steam's Proton prefixes. These are
// hidden folders a file dialog does not show by itself.

#include <filesystem>
#include <string>
#include <vector>

namespace rivetbay {

struct WineDrive {
    std::string label; // which prefix it is: "Wine (~/.wine)", "Steam 12345"
    std::filesystem::path folder; // its "drive_c"
};

// The drive of every existing prefix, $WINEPREFIX's first, each once.
// `winePrefix` may be empty; `home` is the user's home folder.
std::vector<WineDrive> wineDrives(const std::filesystem::path& home,
                                  const std::filesystem::path& winePrefix);

} // namespace rivetbay
