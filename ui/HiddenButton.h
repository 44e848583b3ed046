#pragma once

// The buttons the form creates hidden (EXPORT and Hackbuster): the program's
// own code may click them, but no assistive technology can, since pressing a
// control nobody sees would write a vehicle file without a word.

#include <QPushButton>

namespace rivetbay {

class HiddenButton final : public QPushButton {
    Q_OBJECT
public:
    HiddenButton(const QString& text, QWidget* parent);
};

} // namespace rivetbay
