#include "app/WinePrefixes.h"

#include <algorithm>

namespace rivetbay {

namespace fs = std::filesystem;

namespace {

// Where Steam keeps its library: the native package, the older link, and
// the Flatpak.
const char* const steamRoots[] = {
    ".local/share/Steam",
    ".steam/steam",
    ".var/app/com.valvesoftware.Steam/.local/share/Steam",
};

void addIfDrive(std::vector<fs::path>& found, const fs::path& prefix)
{
    std::error_code ec;
    const fs::path drive = prefix / "drive_c";
    if (!fs::is_directory(drive, ec)) return;
    // ~/.steam/steam is usually a link to ~/.local/share/Steam: list it once.
    const fs::path real = fs::weakly_canonical(drive, ec);
    for (const fs::path& known : found)
        if (fs::weakly_canonical(known, ec) == real) return;
    found.push_back(drive);
}

} // namespace

std::vector<fs::path> wineDriveFolders(const fs::path& home, const fs::path& winePrefix)
{
    std::vector<fs::path> found;
    if (!winePrefix.empty()) addIfDrive(found, winePrefix);
    if (home.empty()) return found;
    addIfDrive(found, home / ".wine");
    for (const char* root : steamRoots) {
        std::error_code ec;
        const fs::path compat = home / root / "steamapps" / "compatdata";
        std::vector<fs::path> games;
        for (fs::directory_iterator it(compat, ec), end; !ec && it != end; it.increment(ec))
            games.push_back(it->path());
        std::sort(games.begin(), games.end()); // a stable order, whatever the directory's
        for (const fs::path& game : games) addIfDrive(found, game / "pfx");
    }
    return found;
}

} // namespace rivetbay
