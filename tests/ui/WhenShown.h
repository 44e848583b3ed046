#pragma once

// Waiting for what a test is about, never for a guessed time: a window the
// code under test opens in an event loop of its own (a modal dialog, a
// menu) is acted on from inside that loop once it is seen, however slow the
// machine is.

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace rivetbay::testkit {

// Only a failing test waits this long; a busy machine never comes near it.
inline constexpr int deadlineMs = 30000;

inline QWidget* activeModal() { return QApplication::activeModalWidget(); }
inline QWidget* activePopup() { return QApplication::activePopupWidget(); }

// Waits, running the event loop, until `condition` holds; false at the deadline.
template <typename Condition> bool waitFor(Condition condition)
{
    return QTest::qWaitFor(condition, deadlineMs);
}

// Acts once on the first visible window `find` returns. A window never seen
// fails the test when this goes out of scope; at the deadline whatever modal
// or popup is open is closed, so that the test ends with its failure rather
// than hang in a loop nobody answers.
class WhenShown {
public:
    WhenShown(std::function<QWidget*()> find, std::function<void(QWidget*)> act)
        : find_(std::move(find)), act_(std::move(act))
    {
        clock_.start();
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    WhenShown(const WhenShown&) = delete;
    WhenShown& operator=(const WhenShown&) = delete;
    ~WhenShown()
    {
        timer_.stop();
        if (!seen_) ADD_FAILURE() << "The window the test waited for was never shown.";
    }

    bool seen() const { return seen_; }

private:
    void poll()
    {
        QWidget* window = find_();
        if (window && window->isVisible()) {
            timer_.stop();
            seen_ = true;
            act_(window);
        } else if (clock_.elapsed() > deadlineMs) {
            timer_.stop();
            for (QWidget* open : {activePopup(), activeModal()})
                if (open) open->close();
        }
    }

    std::function<QWidget*()> find_;
    std::function<void(QWidget*)> act_;
    QElapsedTimer clock_;
    QTimer timer_;
    bool seen_ = false;
};

} // namespace rivetbay::testkit
