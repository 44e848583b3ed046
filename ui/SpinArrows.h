#pragma once

// A pair of arrows that reports one step per click or repeat, at a constant
// rate that never speeds up. It has no value of its own: the rule it feeds
// decides what a step does.

#include "app/KeyRepeatGate.h"

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace rivetbay {

class SpinArrows : public QWidget {
    Q_OBJECT
public:
    SpinArrows(Qt::Orientation orientation, QWidget* parent);

    // The up and down keys (left and right for horizontal arrows) also step
    // while `field` has the focus.
    void setBuddy(QLineEdit* field);

    // Ends a held arrow's repeat until the next press: a refused step that
    // opens a message box would otherwise go on repeating inside the box's
    // own event loop, where the release is never seen.
    void stopRepeat();

    QToolButton* increaseButton() const { return increase_; }
    QToolButton* decreaseButton() const { return decrease_; }

signals:
    // +1 for the up or right arrow, -1 for the down or left arrow; `repeat`
    // for every step of a held arrow or key after its first.
    void stepped(int step, bool repeat);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Qt::Orientation orientation_;
    QToolButton* increase_;
    QToolButton* decrease_;
    QLineEdit* buddy_ = nullptr;
    bool pressed_ = false; // an arrow went down and has not stepped since
    KeyRepeatGate keyRepeats_;
};

} // namespace rivetbay
