// Where a window the editor opens goes: at the editor's corner, moved as
// little as keeps it wholly on the screen, never larger than the screen.

#include "app/WindowPlacement.h"

#include "Testkit.h"

#include <array>
#include <tuple>

namespace rivetbay {
namespace {

TEST(WindowPlacement, AtTheCornerWhollyOnTheScreenAndNeverLargerThanIt)
{
    const ScreenRect screen{0, 0, 1440, 860}; // 900 pixels less a 40-pixel panel
    const std::tuple<const char*, ScreenRect, ScreenRect, ScreenRect> cases[] = {
        {"smaller, where it fits", screen, {100, 100, 640, 540}, {100, 100, 640, 540}},
        {"at the screen's edge", screen, {1000, 500, 640, 540}, {800, 320, 640, 540}},
        {"at 150%: moved up, not cut", screen, {300, 400, 960, 810}, {300, 50, 960, 810}},
        {"at 200%: taller than the screen", screen, {300, 400, 1280, 1080}, {160, 0, 1280, 860}},
        {"wider and taller than the screen", screen, {-50, -50, 1600, 1000}, {0, 0, 1440, 860}},
        {"on a monitor left of and above the first", {-1920, -200, 1920, 1080}, {-100, 700, 640, 540},
         {-640, 340, 640, 540}},
    };
    for (const auto& [what, work, wanted, placed] : cases) {
        const ScreenRect at = keepOnScreen(work, wanted);
        EXPECT_EQ((std::array{at.x, at.y, at.width, at.height}), (std::array{placed.x, placed.y, placed.width, placed.height})) << what;
    }
}

} // namespace
} // namespace rivetbay
