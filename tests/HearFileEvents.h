#pragma once

// Hears each step the program takes on a file while it lives, as it happens.

#include "files/PlatformFile.h"

#include <functional>

namespace rivetbay::testkit {

struct HearFileEvents final : platform::FileEvents {
    using Heard = std::function<void(std::string_view step, const std::filesystem::path& path)>;
    explicit HearFileEvents(Heard heard) : heard(std::move(heard)) { platform::watchFileEvents(this); }
    ~HearFileEvents() override { platform::watchFileEvents(nullptr); }
    void happened(std::string_view step, const std::filesystem::path& path) override { heard(step, path); }
    const Heard heard;
};

} // namespace rivetbay::testkit
