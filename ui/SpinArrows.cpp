#include "ui/SpinArrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace rivetbay {

namespace {
constexpr int repeatDelayMs = 400;
constexpr int repeatIntervalMs = 60; // constant: holding an arrow never accelerates
} // namespace

SpinArrows::SpinArrows(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation), increase_(new QToolButton(this)),
      decrease_(new QToolButton(this))
{
    const bool vertical = orientation == Qt::Vertical;
    increase_->setArrowType(vertical ? Qt::UpArrow : Qt::RightArrow);
    decrease_->setArrowType(vertical ? Qt::DownArrow : Qt::LeftArrow);
    increase_->setObjectName("increase");
    decrease_->setObjectName("decrease");
    for (QToolButton* arrow : {increase_, decrease_}) {
        arrow->setAutoRepeat(true);
        arrow->setAutoRepeatDelay(repeatDelayMs);
        arrow->setAutoRepeatInterval(repeatIntervalMs);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRaise(false);
        arrow->installEventFilter(this); // to tell a press from its repeats
    }
    const auto step = [this](int direction) {
        const bool repeat = !pressed_;
        pressed_ = false;
        emit stepped(direction, repeat);
    };
    connect(increase_, &QToolButton::clicked, this, [step] { step(+1); });
    connect(decrease_, &QToolButton::clicked, this, [step] { step(-1); });
    setFocusPolicy(Qt::NoFocus);
}

void SpinArrows::stopRepeat()
{
    // A button that is no longer down stops its repeat timer and ignores the release.
    for (QToolButton* arrow : {increase_, decrease_}) arrow->setDown(false);
}

void SpinArrows::setBuddy(QLineEdit* field)
{
    buddy_ = field;
    field->installEventFilter(this);
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event)
{
    // The second of two quick clicks arrives as a double click: a press too.
    if ((watched == increase_ || watched == decrease_) &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick))
        pressed_ = true;
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool vertical = orientation_ == Qt::Vertical;
        const int up = vertical ? Qt::Key_Up : Qt::Key_Right;
        const int down = vertical ? Qt::Key_Down : Qt::Key_Left;
        if (key->key() == up || key->key() == down) {
            const auto stamp = static_cast<std::uint32_t>(key->timestamp());
            if (keyRepeats_.admits(key->isAutoRepeat(), stamp)) {
                const auto begun = std::chrono::steady_clock::now();
                emit stepped(key->key() == up ? +1 : -1, key->isAutoRepeat());
                keyRepeats_.stepped(stamp, std::chrono::steady_clock::now() - begun);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SpinArrows::resizeEvent(QResizeEvent*)
{
    const int w = width(), h = height();
    if (orientation_ == Qt::Vertical) {
        increase_->setGeometry(0, 0, w, h / 2);
        decrease_->setGeometry(0, h / 2, w, h - h / 2);
    } else {
        decrease_->setGeometry(0, 0, w / 2, h);
        increase_->setGeometry(w / 2, 0, w - w / 2, h);
    }
}

} // namespace rivetbay
