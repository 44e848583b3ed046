#pragma once

// Moving armor and chassis points. Each rule works on the record alone; the
// caller syncs the window around it and recalculates afterwards.

#include "car/CarConfig.h"

namespace rivetbay {

// The model index has just changed: reset the paint position, the pool and
// every side to the new model's defaults.
void changeModel(CarConfig& config);

// One point between the pool and `side` (+1 takes from the pool). Returns
// whether the step was accepted; a refusal changes nothing.
bool stepSide(CarConfig& config, bool chassis, Side side, int step);

// Moves `step` points from every armor side to every chassis side (negative:
// the other way). Returns whether it was accepted.
bool transferPoints(CarConfig& config, int step);

} // namespace rivetbay
