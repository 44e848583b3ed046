#pragma once

// A small modeless window with an empty list on a dark background. Each one
// owns itself and is freed when it closes.

#include <QDialog>

namespace rivetbay {

class HackbusterWindow : public QDialog {
    Q_OBJECT
public:
    explicit HackbusterWindow(QWidget* owner);
};

} // namespace rivetbay
