#pragma once

// What `rivetbay-cli show` prints: the design as the editor shows it.

#include "car/CarConfig.h"
#include "car/Recalculate.h"

#include <string>
#include <vector>

namespace rivetbay::cli {

// Plain text, UTF-8, one item a line; only the mounts the model has.
std::string billText(const CarConfig& config, const RecalcResult& view);

// One JSON object: the record's fields by their own names, the lists and
// enabled states the window would show, and beside them the parts by name,
// the sides by name, the file's path, what it held out of range and, for a
// vehicle file, what did not map.
std::string billJson(const CarConfig& config, const RecalcResult& view, const std::string& path,
                     const std::vector<SelectionProblem>& outOfRange,
                     const std::vector<std::string>& warnings);

// Objects made by billJson, as one JSON array.
std::string jsonArray(const std::vector<std::string>& objects);

} // namespace rivetbay::cli
