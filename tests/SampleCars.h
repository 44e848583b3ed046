#pragma once

#include "car/CarConfig.h"

namespace rivetbay::testkit {

// The worked example's Glenn Bushmaster "Dusty": two front weapons, two
// droppers, two specials and an uneven spread of points.
inline CarConfig dustyDesign(std::string name = "Dusty")
{
    return {.name = std::move(name), .model = 16, .engine = 3, .suspension = 1, .frontTires = 1, .rearTires = 4,
            .brakes = 4, .frontWeapons = {1, 4, 0}, .droppers = {3, 5}, .specials = {1, 6, 0},
            .armor = {25, 20, 20, 15}, .chassis = {20, 15, 25, 20}};
}

} // namespace rivetbay::testkit
