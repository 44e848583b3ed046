#pragma once

#include "car/CarConfig.h"

namespace rivetbay::testkit {

// The worked example's Glenn Bushmaster "Dusty": two front weapons, two
// droppers, two specials and an uneven spread of points.
inline CarConfig dustyDesign()
{
    CarConfig c;
    c.model = 16;
    c.name = "Dusty";
    c.engine = 3;
    c.suspension = 1;
    c.brakes = 4;
    c.frontTires = 1;
    c.rearTires = 4;
    c.frontWeapons = {1, 4, 0};
    c.droppers = {3, 5};
    c.specials = {1, 6, 0};
    c.armor = {25, 20, 20, 15};
    c.chassis = {20, 15, 25, 20};
    return c;
}

} // namespace rivetbay::testkit
