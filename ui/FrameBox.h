#pragma once

// A group frame whose title sits in its top border, at the left or the
// right, as the classic dialog group box draws it. The frame's line runs
// through the middle of the title, so what the frame holds starts below it.

#include <QWidget>

namespace rivetbay {

class FrameBox : public QWidget {
    Q_OBJECT
public:
    FrameBox(const QString& title, Qt::Alignment alignment, QWidget* parent);

    QString title() const { return title_; }
    // In the box's own coordinates.
    QRect frameRect() const;
    QRect titleRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    Qt::Alignment alignment_;
};

} // namespace rivetbay
