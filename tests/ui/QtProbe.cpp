// The Qt editor window behind the shared window scenarios, offscreen.

#include "ui/AboutWindow.h"
#include "ui/EditorWindow.h"
#include "ui/SpinArrows.h"

#include "window/WindowProbe.h"
#include "WhenShown.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>

namespace rivetbay::testkit {
namespace {

QString qText(const std::string& text) { return QString::fromStdString(text); }

class QtProbe final : public WindowProbe, public QObject {
public:
    QtProbe(FakeServices& services, const std::filesystem::path& folder, const std::filesystem::path& car)
        : window_(services)
    {
        qApp->installEventFilter(this); // an About window is counted and closed as it shows
        window_.setPageFolder(QString::fromStdString(folder.string()) + "/");
        window_.start({folder, car});
        window_.show();
        window_.activateWindow();
        (void)QTest::qWaitForWindowActive(&window_);
    }
    ~QtProbe() override { qApp->removeEventFilter(this); }

    Editor& editor() override { return window_.editor(); }

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
        QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(5, 5), window_.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&window_, &open);
        return lines;
    }
    int aboutsShown() override { return abouts_; }

    void choose(const char* list, int index) override { static_cast<QComboBox*>(find(list))->setCurrentIndex(index); }
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
        int repeats = 0;
        const auto counting = connect(pair, &SpinArrows::stepped, [&](int, bool repeat) { repeats += repeat; });
        QTest::mousePress(button, Qt::LeftButton);
        EXPECT_TRUE(waitFor([&] { return repeats >= 2; }));
        QTest::mouseRelease(button, Qt::LeftButton);
        disconnect(counting);
    }
    void key(const char* control, Chord chord) override
    {
        const Qt::KeyboardModifiers held = (chord.control ? Qt::ControlModifier : Qt::NoModifier) |
                                           (chord.shift ? Qt::ShiftModifier : Qt::NoModifier) |
                                           (chord.alt ? Qt::AltModifier : Qt::NoModifier);
        const Qt::Key key = chord.key == F1       ? Qt::Key_F1
                            : chord.key == Escape ? Qt::Key_Escape
                                                  : Qt::Key(Qt::Key_A + chord.key - 'A');
        QWidget* to = edit(control) ? edit(control) : find(control);
        window_.activateWindow(); // as a closed About window gives it back
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
        to->setFocus(); // a window's keys go to its focus
        if (!chord.typed) return QTest::keyClick(to, key, held);
        QKeyEvent down(QEvent::KeyPress, key, held, qText(chord.typed));
        QApplication::sendEvent(to, &down);
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
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window_, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window_, &dropped);
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
    QWidget* find(const char* control)
    {
        auto* widget = window_.findChild<QWidget*>(control);
        EXPECT_NE(widget, nullptr) << control;
        return widget;
    }
    QLineEdit* edit(const char* control)
    {
        auto* list = qobject_cast<QComboBox*>(find(control));
        return list ? list->lineEdit() : qobject_cast<QLineEdit*>(find(control));
    }

    EditorWindow window_;
    int abouts_ = 0;
};

} // namespace

std::unique_ptr<WindowProbe> startWindow(FakeServices& services, const std::filesystem::path& folder,
                                         const std::filesystem::path& commandLine)
{
    return std::make_unique<QtProbe>(services, folder, commandLine);
}

} // namespace rivetbay::testkit
