#pragma once

// What `rivetbay-cli show --json` prints: the design as the editor shows it,
// as data. The plain bill is the design's own (app/DesignBill.h).

#include "car/CarConfig.h"
#include "car/Recalculate.h"

#include <string>
#include <vector>

namespace rivetbay::cli {

// One JSON object: the record's fields by their own names, the lists and
// enabled states the window would show, and beside them the parts by name,
// the sides by name, the file's path, what it held out of range and, for a
// vehicle file, what did not map.
std::string billJson(const CarConfig& config, const RecalcResult& pass, const std::string& path,
                     const std::vector<SelectionProblem>& outOfRange,
                     const std::vector<std::string>& warnings);

// Objects made by billJson, as one JSON array.
std::string jsonArray(const std::vector<std::string>& objects);

} // namespace rivetbay::cli
