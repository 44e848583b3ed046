#include "app/KeyRepeatGate.h"

#include <gtest/gtest.h>

namespace rivetbay {
namespace {

using std::chrono::milliseconds;

TEST(KeyRepeatGate, RepeatsQueuedBehindASlowStepAreDropped)
{
    struct Case {
        const char* what;
        bool repeat;
        std::uint32_t stamp;
        bool admitted;
    };
    // The last step began at 1000 and took 200 ms.
    const Case cases[] = {
        {"a first press, whenever", false, 900, true},
        {"a repeat made while the step ran", true, 1100, false},
        {"a repeat made before it began", true, 990, false},
        {"a repeat made once it had ended", true, 1200, true},
        {"a repeat without a stamp", true, 0, true},
    };
    for (const Case& c : cases) {
        KeyRepeatGate gate;
        gate.stepped(1000, milliseconds(200));
        EXPECT_EQ(gate.admits(c.repeat, c.stamp), c.admitted) << c.what;
    }
    KeyRepeatGate wrapped; // the window system's clock runs past 2^32 ms
    wrapped.stepped(0xFFFFFFF0u, milliseconds(10));
    EXPECT_TRUE(wrapped.admits(true, 5));
    EXPECT_FALSE(wrapped.admits(true, 0xFFFFFFF5u));
}

} // namespace
} // namespace rivetbay
