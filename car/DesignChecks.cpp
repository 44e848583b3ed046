#include "car/DesignChecks.h"

#include "car/Allocation.h"

namespace rivetbay {

std::string_view sideName(Side side)
{
    static constexpr std::string_view names[] = {"front", "rear", "left", "right"}; // by Side
    return names[side];
}

std::vector<std::string> designProblems(const CarConfig& config, const std::vector<SelectionProblem>& outOfRange,
                                        std::string (*shown)(std::string_view windows1252))
{
    std::vector<std::string> problems;
    for (const SelectionProblem& p : outOfRange) problems.push_back(describe(p) + ".");
    const std::string_view read = nameTheGameReads(config);
    if (read.size() < config.name.size())
        problems.push_back("The name holds a NUL byte; the game reads only \"" + shown(read) + "\".");
    if (read.size() > variantNameLimit)
        problems.push_back("The name has " + std::to_string(read.size()) + " characters; the game keeps " +
                           std::to_string(variantNameLimit) + ".");
    // Points are signed in the file, but no side of a car holds fewer than none.
    for (const auto& [points, kind] : {std::pair{&config.armor, "armor"}, std::pair{&config.chassis, "chassis"}})
        for (const Side side : {Front, Rear, Left, Right})
            if ((*points)[side] < 0)
                problems.push_back("The " + std::string(sideName(side)) + " " + kind + " holds " +
                                   std::to_string((*points)[side]) + " points; a side holds none or more.");
    // The budget of the model as stored: a model out of range is already named above.
    if (const auto held = pointsHeld(config), budget = pointBudget(config); held != budget && outOfRange.empty())
        problems.push_back("The points add up to " + std::to_string(held) + ", not the model's " +
                           std::to_string(budget) + ".");
    return problems;
}

} // namespace rivetbay
