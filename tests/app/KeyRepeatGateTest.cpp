#include "app/KeyRepeatGate.h"

#include "Testkit.h"

namespace rivetbay {
namespace {

// A step began at 1000 and took 40 ms; stamps are the window system's, and wrap.
TEST(KeyRepeatGate, ARepeatPassesOnlyOnceTheLastStepHasEnded)
{
    EXPECT_TRUE(KeyRepeatGate().admits(true, 5)); // before any step there is nothing to wait for
    for (const auto& [start, repeat, stamp, admitted] :
         {std::tuple{1000u, false, 1001u, true}, {1000u, true, 0u, true}, {1000u, true, 1039u, false},
          {1000u, true, 1040u, true}, {1000u, true, 1041u, true}, {1000u, true, 999u, false},
          {0xFFFFFFF0u, true, 0x17u, false}, {0xFFFFFFF0u, true, 0x18u, true}}) {
        KeyRepeatGate gate;
        gate.stepped(start, std::chrono::milliseconds(40));
        EXPECT_EQ(gate.admits(repeat, stamp), admitted) << start << " " << repeat << " " << stamp;
    }
}

} // namespace
} // namespace rivetbay
