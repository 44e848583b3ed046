#pragma once

// Gives a widget its name from the table of accessible names: an arrow pair
// names each of its arrows by what a press does.

#include "app/AccessibleNames.h"

class QWidget;

namespace rivetbay {

void nameForScreenReaders(QWidget& control, const AccessibleName* spoken);

} // namespace rivetbay
