// The Qt editor window behind the shared window scenarios, offscreen.

#include "ui/AboutWindow.h"
#include "ui/DialogUnits.h"
#include "ui/HackbusterWindow.h"
#include "ui/UiServices.h"

#include "window/WindowProbe.h"
#include "EditorFixture.h"
#include "WhenShown.h"

#include <QAccessible>
#include <QAbstractItemView>
#include <QScreen>
#include <QWindow>
#include <QContextMenuEvent>
#include <QToolTip>

#include <map>

namespace rivetbay::testkit {
namespace {

QString qText(const std::string& text) { return QString::fromStdString(text); }
std::array<int, 4> corners(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

class QtProbe final : public WindowProbe, public QObject {
public:
    QtProbe(FakeServices& services, const std::filesystem::path& folder, const std::filesystem::path& car)
        : services_(services), folder_(folder), window_(startedEditor(services, folder, car))
    {
        qApp->installEventFilter(this); // an About window is counted and closed as it shows
    }
    ~QtProbe() override { qApp->removeEventFilter(this); }

    Editor& editor() override { return window_->editor(); }

    bool shown() override { return window_->isVisible(); }
    bool enabled(const char* control) override { return find(control)->isEnabled(); }
    std::string text(const char* control) override
    {
        if (auto* list = qobject_cast<QComboBox*>(find(control))) return list->currentText().toStdString();
        return static_cast<QLineEdit*>(find(control))->text().toStdString();
    }
    int selection(const char* list) override { return static_cast<QComboBox*>(find(list))->currentIndex(); }
    int caret(const char* control) override { return edit(control)->cursorPosition(); }
    bool tipShown() override { return QToolTip::isVisible(); }
    std::vector<std::string> menu() override
    {
        std::vector<std::string> lines;
        const WhenShown read(activePopup, [&](QWidget* menu) {
            for (QAction* a : menu->actions()) {
                const QString keys = a->shortcut().isEmpty() ? "" : "\t" + a->shortcut().toString();
                lines.push_back(a->isSeparator() ? "-" : (a->text() + keys + (a->isEnabled() ? "" : " (grey)")).toStdString());
            }
            menu->close();
        });
        QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(5, 5), window_->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(window_.get(), &open);
        return lines;
    }
    int aboutsShown() override { return abouts_; }

    std::vector<std::string> spoken(Window window, const char* control) override
    {
        auto* found = in(window)->findChild<QWidget*>(control);
        if (!found) return {};
        std::vector<std::string> words{name(found)};
        if (auto* pair = qobject_cast<SpinArrows*>(found))
            words.insert(words.end(), {name(pair->decreaseButton()), name(pair->increaseButton())});
        return words;
    }
    std::vector<std::string> spokenControls() override
    {
        std::vector<std::string> names;
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(window_.get());
        for (int k = 0; k < window->childCount(); ++k) {
            QAccessibleInterface* child = window->child(k);
            if (child->state().invisible || child->role() == QAccessible::StaticText) continue;
            const bool pair = qobject_cast<SpinArrows*>(child->object());
            for (int a = 0; a < (pair ? child->childCount() : 1); ++a)
                names.push_back((pair ? child->child(a) : child)->text(QAccessible::Name).toStdString());
        }
        return names;
    }

    std::string shownText(Window window, const char* control) override
    {
        if (!control) return in(window)->windowTitle().toStdString();
        QWidget* shown = in(window)->findChild<QWidget*>(control);
        if (auto* button = qobject_cast<QAbstractButton*>(shown)) return button->text().toStdString();
        return text(control);
    }
    std::string alignment(const char* control) override
    {
        const Qt::Alignment a = static_cast<QLineEdit*>(find(control))->alignment();
        return a & Qt::AlignRight ? "right" : a & Qt::AlignHCenter ? "centre" : "left";
    }
    std::array<int, 3> background(Window window, const char* control) override
    {
        const QColor c = in(window)->findChild<QWidget*>(control)->palette().color(QPalette::Base);
        return {c.red(), c.green(), c.blue()};
    }
    std::array<int, 4> place(Window window, const char* control) override
    {
        QWidget* shown = control ? in(window)->findChild<QWidget*>(control) : in(window);
        QRect at = control ? shown->geometry() : shown->rect();
        if (auto* list = qobject_cast<QComboBox*>(shown)) // as many rows drop down as its place holds
            at.setHeight(at.height() + list->maxVisibleItems() * std::max(1, list->view()->sizeHintForRow(0)));
        return corners(at);
    }
    std::array<int, 4> pixels(Window window, DialogRect units) override
    {
        return corners(DialogUnits(in(window)->font()).rect(units));
    }
    int hackbusters() override
    {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return static_cast<int>(window_->findChildren<HackbusterWindow*>().size());
    }
    void closeFirstHackbuster() override
    {
        QTest::mouseClick(in(Window::Hackbuster)->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    }

    Placed aboutOpened(bool atEdge) override
    {
        const QRect work = window_->screen()->availableGeometry();
        window_->move(atEdge ? work.bottomRight() - QPoint(100, 80) : work.topLeft() + QPoint(40, 60));
        about_.reset(); // a fresh one, over the editor where it now stands
        in(Window::About);
        const QPoint inside = about_->geometry().topLeft(), editor = window_->mapToGlobal(QPoint(0, 0));
        const QRect frame(about_->pos(), about_->size().grownBy(window_->windowHandle()->frameMargins()));
        return {corners(frame), corners(work), {inside.x(), inside.y()}, {editor.x(), editor.y()}};
    }
    std::array<std::array<int, 4>, 2> dialogOverEditor(bool fileDialog) override
    {
        window_->move(40, 30); // away from the screen's middle
        QtUiServices real;
        real.setOwner(window_.get());
        std::array<int, 4> shown{};
        const WhenShown read(activeModal, [&](QWidget* box) { shown = corners(box->frameGeometry()), box->close(); });
        if (fileDialog)
            (void)real.chooseFile({.directory = folder_});
        else
            real.showMessage(MessageIcon::Information, "Rivetbay", "A box over the editor.");
        return {shown, corners(window_->frameGeometry())};
    }

    void choose(const char* list, int index) override { static_cast<QComboBox*>(find(list))->setCurrentIndex(index); }
    void click(const char* control) override { QTest::mouseClick(find(control), Qt::LeftButton); }
    void arrow(const char* arrows, bool more, Press how) override
    {
        auto* pair = static_cast<SpinArrows*>(find(arrows));
        QToolButton* button = more ? pair->increaseButton() : pair->decreaseButton();
        if (how == Press::Click) return QTest::mouseClick(button, Qt::LeftButton);
        if (how == Press::DoubleClick) {
            const QPointF middle = QRectF(button->rect()).center();
            QMouseEvent twice(QEvent::MouseButtonDblClick, middle, button->mapToGlobal(middle), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(button, &twice);
            return QTest::mouseRelease(button, Qt::LeftButton);
        }
        // Held while a witness on the arrow's own timers repeats twice: time in
        // repeats, whether or not the arrow goes on repeating itself.
        QToolButton witness(pair);
        witness.setAutoRepeat(true);
        witness.setAutoRepeatDelay(button->autoRepeatDelay());
        witness.setAutoRepeatInterval(button->autoRepeatInterval());
        int repeats = 0;
        connect(&witness, &QToolButton::clicked, [&] { ++repeats; });
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mousePress(&witness, Qt::LeftButton);
        EXPECT_TRUE(waitFor([&] { return repeats >= 3; }));
        QTest::mouseRelease(button, Qt::LeftButton);
    }
    void key(const char* control, Chord chord) override
    {
        const auto held = Qt::KeyboardModifiers().setFlag(Qt::ControlModifier, chord.control)
                              .setFlag(Qt::ShiftModifier, chord.shift).setFlag(Qt::AltModifier, chord.alt);
        const Qt::Key key = qtKey(chord.key);
        QWidget* to = edit(control) ? edit(control) : find(control);
        window_->activateWindow(); // as a closed About window gives it back
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        to->setFocus(); // a window's keys go to its focus
        if (chord.typed) {
            QKeyEvent down(QEvent::KeyPress, key, held, qText(chord.typed));
            return (void)QApplication::sendEvent(to, &down);
        }
        QTest::keyClick(to, key, held);
        // A button's letter shows the button pressed, then clicks it.
        const auto buttons = window_->findChildren<QAbstractButton*>();
        EXPECT_TRUE(waitFor([&] { return std::ranges::none_of(buttons, &QAbstractButton::isDown); }));
    }
    void heldKey(const char* field, int key, Repeat which) override
    {
        // Stamps in the window system's milliseconds; the steps here take far less than 10 s.
        const ulong stamp = which == Repeat::First ? (stamp_ = 50000) : which == Repeat::QueuedBehindTheStep ? stamp_ - 10 : (stamp_ += 10000);
        find(field)->setFocus();
        QKeyEvent down(QEvent::KeyPress, qtKey(key), Qt::NoModifier, QString(), which != Repeat::First);
        down.setTimestamp(stamp);
        QApplication::sendEvent(find(field), &down);
    }
    void type(const char* control, const std::string& text) override
    {
        for (const QChar c : qText(text)) {
            QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit(control), &typed);
        }
    }
    void paste(const char* control, const std::string& text) override { edit(control)->insert(qText(text)); }
    void setText(const char* control, const std::string& text, int caret) override
    {
        edit(control)->setFocus();
        edit(control)->setText(qText(text));
        edit(control)->setCursorPosition(caret);
        QToolTip::hideText();
        EXPECT_TRUE(waitFor([] { return !QToolTip::isVisible(); }));
    }
    void drop(const std::vector<std::filesystem::path>& files) override
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const auto& file : files) urls << QUrl::fromLocalFile(QString::fromStdString(file.string()));
        mime.setUrls(urls);
        dropOn(window_.get(), mime);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<AboutWindow*>(watched)) {
            ++abouts_;
            QTimer::singleShot(0, static_cast<AboutWindow*>(watched), &QDialog::reject);
        }
        return false;
    }

private:
    QWidget* in(Window window)
    {
        if (window == Window::About && !about_)
            about_ = std::make_unique<AboutWindow>(services_, window_.get(), QString::fromStdString(folder_.string()) + "/");
        if (window == Window::Hackbuster) return window_->findChildren<HackbusterWindow*>().value(0);
        return window == Window::About ? static_cast<QWidget*>(about_.get()) : window_.get();
    }
    static std::string name(QObject* object)
    {
        return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name).toStdString();
    }
    static Qt::Key qtKey(int key)
    {
        static const std::map<int, Qt::Key> keys{{F1, Qt::Key_F1}, {Escape, Qt::Key_Escape}, {Left, Qt::Key_Left},
                                                 {Up, Qt::Key_Up}, {Right, Qt::Key_Right}, {Down, Qt::Key_Down},
                                                 {Return, Qt::Key_Return}};
        return keys.count(key) ? keys.at(key) : Qt::Key(Qt::Key_A + key - 'A');
    }
    QWidget* find(const char* control) // the editor's, or else an About window's
    {
        auto* widget = window_->findChild<QWidget*>(control);
        if (!widget) widget = in(Window::About)->findChild<QWidget*>(control);
        EXPECT_NE(widget, nullptr) << control;
        return widget;
    }
    QLineEdit* edit(const char* control)
    {
        auto* list = qobject_cast<QComboBox*>(find(control));
        return list ? list->lineEdit() : qobject_cast<QLineEdit*>(find(control));
    }

    FakeServices& services_;
    std::filesystem::path folder_;
    std::unique_ptr<EditorWindow> window_;
    std::unique_ptr<AboutWindow> about_;
    int abouts_ = 0;
    ulong stamp_ = 0;
};

} // namespace

std::unique_ptr<WindowProbe> startWindow(FakeServices& services, const std::filesystem::path& folder,
                                         const std::filesystem::path& commandLine)
{
    return std::make_unique<QtProbe>(services, folder, commandLine);
}

} // namespace rivetbay::testkit
