#pragma once

// A read-only number field. A value wider than the field shows its first
// digits followed by an ellipsis, so a cut number never reads as another.

#include <QLineEdit>

namespace rivetbay {

class NumberField : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // What the field draws: the text itself, or its start and "…".
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textRect() const;
};

} // namespace rivetbay
