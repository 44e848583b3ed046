#pragma once

// What keeps the game from taking a design as it is, in the words a player
// reads: the command line's check lists them, and a window could show them.

#include "car/CarConfig.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rivetbay {

// The letters of a name the game keeps.
inline constexpr std::size_t variantNameLimit = 15;

// A side as messages name it: "front", "rear", "left" or "right".
std::string_view sideName(Side side);

// One sentence for each problem: the selections found outside their tables
// when the record was read (it may be normalised since), a name with a NUL
// byte or over the game's limit, a side below none, points off the model's
// budget. `shown` turns the record's Windows-1252 text into the caller's.
std::vector<std::string> designProblems(const CarConfig& config, const std::vector<SelectionProblem>& outOfRange,
                                        std::string (*shown)(std::string_view windows1252));

} // namespace rivetbay
