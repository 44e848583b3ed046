#pragma once

// What `rivetbay-cli show` prints: the design as the editor shows it.

#include "car/CarConfig.h"
#include "car/Recalculate.h"

#include <string>

namespace rivetbay::cli {

// Plain text, UTF-8, one item a line; only the mounts the model has.
std::string billText(const CarConfig& config, const RecalcResult& view);

// One JSON object: the record's fields by their own names, plus the lists
// and enabled states the window would show.
std::string billJson(const CarConfig& config, const RecalcResult& view);

} // namespace rivetbay::cli
