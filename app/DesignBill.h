#pragma once

// The bill of a design: every part with its price, the paint, the name, the
// total and the points, as `rivetbay-cli show` prints it and a window may
// show or copy it.

#include "car/CarConfig.h"
#include "car/Recalculate.h"

#include <string>

namespace rivetbay {

// Plain text, UTF-8, one item a line; only the mounts the model has. The
// name's control characters are written out (\n, \x1b), never sent.
std::string billText(const CarConfig& config, const RecalcResult& pass);

} // namespace rivetbay
