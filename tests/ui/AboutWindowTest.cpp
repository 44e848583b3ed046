// The About and Hackbuster windows, opened as a player opens them.

#include "ui/AboutWindow.h"
#include "ui/CBrowser.h"
#include "ui/DialogUnits.h"
#include "ui/HackbusterWindow.h"
#include "ui/UiServices.h"

#include "EditorFixture.h"
#include "WhenShown.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QTreeWidget>
#include <QWindow>

#include <functional>

namespace rivetbay {
namespace {

// A small window as its form says: caption, size, and each control's place and text.
void expectForm(const QDialog& window, const WindowForm& form, const std::string& text)
{
    EXPECT_EQ(window.windowTitle(), form.title);
    const DialogUnits du(window.font());
    EXPECT_EQ(window.size(), QSize(du.x(form.width), du.y(form.height)));
    EXPECT_EQ(window.font().pointSize(), form.fontPoints);
    for (const WindowControl& c : form.controls) {
        SCOPED_TRACE(c.name);
        const auto* control = window.findChild<QWidget*>(c.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), du.rect(c.at));
        if (const auto* button = qobject_cast<const QPushButton*>(control)) {
            EXPECT_EQ(button->text(), c.text);
        }
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            EXPECT_EQ(label->text().toStdString(), text);
        }
    }
}

class AboutTest : public WindowTest {
protected:
    AboutTest()
    {
        std::ofstream(dir_ / "Rivetbay.html") << "<html><body><h1>About page</h1>"
                                                 "<a href=\"guide.html\">guide</a></body></html>";
        std::ofstream(dir_ / "guide.html") << "<html><body><h1>Guide page</h1></body></html>";
    }
    QString folder() { return qpath(dir_.path()) + "/"; }
    static void clickArrow(AboutWindow& about, bool forward)
    {
        auto* arrows = about.findChild<SpinArrows*>("historyArrows");
        QTest::mouseClick(forward ? arrows->increaseButton() : arrows->decreaseButton(), Qt::LeftButton);
    }
};

TEST_F(AboutTest, ThreeTriggersShowThePage)
{
    startEditor();
    const std::vector<std::function<void()>> triggers{
        [&] { QTest::mouseClick(editor_->findChild<QPushButton*>("aboutButton"), Qt::LeftButton); },
        [&] { QTest::keyClick(editor_.get(), Qt::Key_F1); },
        [&] {
            // The context menu's item, picked as soon as the menu shows.
            const testkit::WhenShown pick(testkit::activePopup, [](QWidget* menu) {
                for (QAction* action : menu->actions())
                    if (action->text() == EditorCommands::entry(EditorCommand::About).text) action->trigger();
            });
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(300, 250), editor_->mapToGlobal(QPoint(300, 250)));
            QApplication::sendEvent(editor_.get(), &event);
        },
    };
    for (std::size_t k = 0; k < triggers.size(); ++k) {
        QString caption, page, focus;
        // Read and closed from inside its own event loop, once it shows.
        const testkit::WhenShown read(testkit::activeModal, [&](QWidget* modal) {
            caption = modal->windowTitle();
            page = modal->findChild<CBrowser*>("browser")->toPlainText();
            focus = modal->focusWidget() ? modal->focusWidget()->objectName() : "";
            modal->close();
        });
        editor_->activateWindow();
        (void)QTest::qWaitForWindowActive(editor_.get());
        triggers[k]();
        EXPECT_EQ(caption, AboutForm::form().title) << k;
        EXPECT_TRUE(page.contains("About page")) << k << page.toStdString();
        EXPECT_EQ(focus, "okButton") << k;
    }
}

// At the editor's corner, or moved as little as keeps it wholly on the
// screen, with the frame the window manager gives the editor.
TEST_F(AboutTest, OpensAtTheEditorsCornerWhollyOnTheScreen)
{
    startEditor();
    const QRect work = editor_->screen()->availableGeometry();
    const QMargins frame = editor_->windowHandle()->frameMargins();
    editor_->move(work.topLeft() + QPoint(20, 10));
    const AboutWindow atCorner(services_, editor_.get(), folder());
    EXPECT_EQ(atCorner.pos(), editor_->mapToGlobal(QPoint(0, 0)));
    editor_->move(work.bottomRight() - QPoint(100, 80));
    const AboutWindow atEdge(services_, editor_.get(), folder());
    const QRect whole(atEdge.pos(), atEdge.size().grownBy(frame));
    EXPECT_TRUE(work.contains(whole));
    EXPECT_EQ(whole.bottomRight(), work.bottomRight()); // moved no further than it must
}

TEST_F(AboutTest, HistoryArrowsAndTheirRefusals)
{
    {
        AboutWindow about(services_, nullptr, folder());
        CBrowser* browser = about.browser();
        browser->setSource(QUrl("guide.html")); // as a followed link does
        clickArrow(about, false);
        EXPECT_TRUE(browser->toPlainText().contains("About page"));
        clickArrow(about, true);
        EXPECT_TRUE(browser->toPlainText().contains("Guide page"));
        EXPECT_TRUE(services_.messages.empty());
        // At the end of the history the refusal is shown and the window stays.
        clickArrow(about, true);
        ASSERT_EQ(services_.messages.size(), 1u);
        EXPECT_EQ(services_.messages[0].icon, MessageIcon::Stop);
        EXPECT_EQ(services_.messages[0].caption, applicationName().toStdString());
        EXPECT_EQ(services_.messages[0].text, "There is no page to go forward to.");
    }
    // Each opening starts a fresh history.
    AboutWindow again(services_, nullptr, folder());
    clickArrow(again, false);
    EXPECT_EQ(services_.messages.at(1).text, "There is no page to go back to.");
    EXPECT_EQ(services_.messages.size(), 2u);
}

TEST_F(AboutTest, HoldingAnArrowWithNowhereToGoShowsOneBoxAPress)
{
    AboutWindow about(services_, nullptr, folder());
    about.show();
    auto* arrows = about.findChild<SpinArrows*>("historyArrows");
    // A second button, repeating on the same timers, shows how long the arrow
    // was held in repeats rather than in milliseconds.
    QToolButton witness(&about);
    witness.setAutoRepeat(true);
    int repeats = 0;
    QObject::connect(&witness, &QToolButton::clicked, [&] { ++repeats; });
    const auto holdFor = [&](int count) {
        const int until = repeats + count;
        EXPECT_TRUE(testkit::waitFor([&] { return repeats >= until; }));
    };
    for (QToolButton* arrow : {arrows->decreaseButton(), arrows->increaseButton()}) {
        const std::size_t before = services_.messages.size();
        witness.setAutoRepeatDelay(arrow->autoRepeatDelay());
        witness.setAutoRepeatInterval(arrow->autoRepeatInterval());
        witness.setDown(false);
        QTest::mousePress(arrow, Qt::LeftButton);
        QTest::mousePress(&witness, Qt::LeftButton);
        holdFor(10);
        QTest::mouseRelease(arrow, Qt::LeftButton);
        holdFor(3);
        QTest::mouseRelease(&witness, Qt::LeftButton);
        EXPECT_EQ(services_.messages.size(), before + 1);
    }
    // The arrows still answer the next press.
    clickArrow(about, false);
    EXPECT_EQ(services_.messages.size(), 3u);
}

TEST_F(AboutTest, MissingPageSaysSoAndTheWindowIsItsForms)
{
    TempDir empty;
    AboutWindow about(services_, nullptr, qpath(empty.path()) + "/");
    expectForm(about, AboutForm::form(), AboutForm::text("C++ and Qt 6 build"));
    EXPECT_TRUE(about.browser()->toPlainText().contains("could not be loaded"));
    EXPECT_TRUE(services_.messages.empty());
}

TEST_F(AboutTest, HackbusterWindowsComeOneAClickAndEndWithTheEditor)
{
    startEditor();
    auto* button = editor_->findChild<QPushButton*>("hackbusterButton");
    button->click(); // hidden from the user, so clicked directly
    button->click();
    auto windows = editor_->findChildren<HackbusterWindow*>();
    ASSERT_EQ(windows.size(), 2);
    expectForm(*windows[0], HackbusterForm::form(), "");
    const Colour dark = HackbusterForm::background;
    EXPECT_EQ(windows[1]->findChild<QTreeWidget*>("list")->palette().color(QPalette::Base),
              QColor(dark.red, dark.green, dark.blue));
    auto* ok = windows[0]->findChild<QPushButton*>("okButton");
    QPointer<HackbusterWindow> first(windows[0]), second(windows[1]);
    QTest::mouseClick(ok, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_TRUE(second->isVisible());

    editor_->reject(); // QUIT, Escape and the close box end the editor this way
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
}

TEST(CBrowserFolder, BesideTheProgramOrInTheInstalledShare)
{
    testkit::TempDir prefix;
    std::filesystem::create_directories(prefix / "bin");
    std::filesystem::create_directories(prefix / "share" / "rivetbay");
    const QString bin = QString::fromStdString((prefix / "bin").string());
    // Neither: the program's own folder, where a missing page is then reported.
    EXPECT_EQ(CBrowser::pageFolderFor(bin), bin + "/");
    std::ofstream(prefix / "share" / "rivetbay" / "Rivetbay.html") << "<p>x</p>";
    EXPECT_EQ(CBrowser::pageFolderFor(bin),
              QString::fromStdString((prefix / "share" / "rivetbay").string()) + "/");
    std::ofstream(prefix / "bin" / "Rivetbay.html") << "<p>y</p>";
    EXPECT_EQ(CBrowser::pageFolderFor(bin), bin + "/");
}

} // namespace
} // namespace rivetbay
