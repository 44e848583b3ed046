#pragma once

// Hears each step the program takes on a file while it lives, as it happens.

#include "files/PlatformFile.h"

#include <functional>

namespace rivetbay::testkit {

class HearFileEvents final : public platform::FileEvents {
public:
    using Heard = std::function<void(std::string_view step, const std::filesystem::path& path)>;
    explicit HearFileEvents(Heard heard) : heard_(std::move(heard)) { platform::watchFileEvents(this); }
    ~HearFileEvents() override { platform::watchFileEvents(nullptr); }
    void happened(std::string_view step, const std::filesystem::path& path) override { heard_(step, path); }

private:
    Heard heard_;
};

} // namespace rivetbay::testkit
