#pragma once

// Moving armor and chassis points. Each rule works on the record alone; the
// caller syncs the window around it and recalculates afterwards.

#include "car/CarConfig.h"

#include <cstdint>

namespace rivetbay {

// The model index has just changed: reset the paint position, the pool and
// every side to the new model's defaults.
void changeModel(CarConfig& config);

enum class Points { Armor, Chassis };

// One point between the pool and `side` of the armor or the chassis (+1
// takes from the pool). Returns whether the step was accepted; a refusal
// changes nothing.
bool stepSide(CarConfig& config, Points points, Side side, int step);

// Moves `step` points from every armor side to every chassis side (negative:
// the other way). Returns whether it was accepted.
bool transferPoints(CarConfig& config, int step);

// The model's fixed budget: four sides of its default armor and chassis.
// Every rule here keeps the points of a record, free ones included, at it.
std::int64_t pointBudget(const CarConfig& config);
std::int64_t pointsHeld(const CarConfig& config);

} // namespace rivetbay
