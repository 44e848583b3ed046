#pragma once

// The pass that ends every action: prices, mount availability, the turret
// and duplicate-special rules, the paint list and the trimmed name.

#include "car/CarConfig.h"
#include "car/Mount.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rivetbay {

// Everything the window shows that is not a field bound to the record.
struct RecalcResult {
    std::vector<std::string> variantNames; // the name list, in delivery order
    std::string nameFieldText;             // the name field's text (untrimmed)
    std::vector<std::string_view> paintSchemes;
    int paintSelection = -1; // -1: the list has no selection
    std::array<bool, mountCount> mountEnabled{}; // by indexOf(mount)
    bool turretEnabled = false;

    bool enabled(Mount mount) const { return mountEnabled[indexOf(mount)]; }
};

std::uint32_t roundHalfUp(double value);

// The code whose vehicle files the name list shows: empty with no model, so
// that the variants of every model are listed.
std::string_view listingCode(const CarConfig& config);

// Derives every price and corrects the chosen fields; variantNames are the
// names the listing delivered for listingCode(config).
RecalcResult recalculate(CarConfig& config, std::vector<std::string> variantNames);

} // namespace rivetbay
