#pragma once

// Waiting for what a test is about, never for a guessed time: a window the
// code under test opens in an event loop of its own (a modal dialog, a menu)
// is acted on from inside that loop once it is seen.

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace rivetbay::testkit {

inline constexpr int deadlineMs = 30000; // only a failing test waits this long

inline QWidget* activeModal() { return QApplication::activeModalWidget(); }
inline QWidget* activePopup() { return QApplication::activePopupWidget(); }

template <typename Condition> bool waitFor(Condition condition)
{
    return QTest::qWaitFor(condition, deadlineMs);
}

// Acts once on the first visible window `find` returns. Never seen, it fails
// the test; at the deadline it closes whatever modal or popup is open, so
// that the test ends with its failure rather than hang.
class WhenShown {
public:
    WhenShown(std::function<QWidget*()> find, std::function<void(QWidget*)> act)
    {
        clock_.start();
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this, find, act] {
            QWidget* window = find();
            if (window && window->isVisible()) {
                timer_.stop();
                seen_ = true;
                act(window);
            } else if (clock_.elapsed() > deadlineMs) {
                timer_.stop();
                for (QWidget* open : {activePopup(), activeModal()})
                    if (open) open->close();
            }
        });
        timer_.start();
    }
    ~WhenShown()
    {
        if (!seen_) ADD_FAILURE() << "The window the test waited for was never shown.";
    }

private:
    QElapsedTimer clock_;
    QTimer timer_;
    bool seen_ = false;
};

// Acts once on the first modal window that is a T, as a T.
template <typename T, typename Act> WhenShown whenModal(Act act)
{
    return WhenShown([] { return static_cast<QWidget*>(qobject_cast<T*>(activeModal())); },
                     [act](QWidget* shown) { act(static_cast<T*>(shown)); });
}

} // namespace rivetbay::testkit
