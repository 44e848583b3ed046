#pragma once

// A held arrow key in a side's field sends repeats at its own pace; when a
// step takes longer than that (a large vehicle folder to list), the repeats
// queue up and the value would go on changing long after the key is let go.
// A repeat stamped before the last step had ended waited in the queue: it is
// dropped. Time stamps are the window system's own milliseconds, which wrap.

#include <chrono>
#include <cstdint>

namespace rivetbay {

class KeyRepeatGate {
public:
    // Whether a key event stamped `time` may step; a first press always may,
    // and so may an event without a stamp (0: made by a program, not a key).
    bool admits(bool repeat, std::uint32_t time) const
    {
        if (!repeat || !stepped_ || time == 0) return true;
        const auto since = static_cast<std::int32_t>(time - lastStart_);
        return since >= 0 && since >= took_;
    }
    // A step began by the event stamped `time` took `took` to run.
    void stepped(std::uint32_t time, std::chrono::steady_clock::duration took)
    {
        stepped_ = true;
        lastStart_ = time;
        took_ = static_cast<std::int32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(took).count());
    }

private:
    bool stepped_ = false;
    std::uint32_t lastStart_ = 0;
    std::int32_t took_ = 0;
};

} // namespace rivetbay
