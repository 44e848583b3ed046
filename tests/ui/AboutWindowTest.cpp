// The About window, opened as a player opens it.

#include "ui/AboutWindow.h"
#include "ui/CBrowser.h"
#include "ui/UiServices.h"

#include "EditorFixture.h"
#include "WhenShown.h"

#include <QContextMenuEvent>

#include <functional>

namespace rivetbay {
namespace {

struct AboutTest : WindowTest {
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

// Picked from the context menu (its button and F1: the windows' scenarios),
// it shows the page with OK in the focus.
TEST_F(AboutTest, TheMenusEntryShowsThePage)
{
    startEditor();
    QString page, focus;
    // The entry picked, and the window read and closed, from inside their own loops once they show.
    const testkit::WhenShown pick(testkit::activePopup, [](QWidget* menu) {
        for (QAction* action : menu->actions())
            if (action->text() == "&About Rivetbay") action->trigger();
    });
    const testkit::WhenShown read(testkit::activeModal, [&](QWidget* modal) {
        page = modal->findChild<CBrowser*>("browser")->toPlainText();
        focus = modal->focusWidget() ? modal->focusWidget()->objectName() : "";
        modal->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(300, 250), editor_->mapToGlobal(QPoint(300, 250)));
    QApplication::sendEvent(editor_.get(), &event);
    EXPECT_TRUE(page.contains("About page")) << page.toStdString();
    EXPECT_EQ(focus, "okButton");
}

// The arrows go back and forward, Stop leaves the page as it is and Reload
// reads it again; at an end of the history the refusal is shown and the
// window stays; each opening starts a fresh history.
TEST_F(AboutTest, EachArrowAndButtonDoesItsOwnVerb)
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
        clickArrow(about, true);
        clickArrow(about, false);
        std::ofstream(dir_ / "Rivetbay.html") << "<html><body><h1>New page</h1></body></html>";
        QTest::mouseClick(about.findChild<QPushButton*>("stopButton"), Qt::LeftButton);
        EXPECT_TRUE(browser->toPlainText().contains("About page"));
        QTest::mouseClick(about.findChild<QPushButton*>("reloadButton"), Qt::LeftButton);
        EXPECT_TRUE(browser->toPlainText().contains("New page"));
    }
    AboutWindow again(services_, nullptr, folder());
    clickArrow(again, false);
    // Captioned with the program's name, here the test program's.
    EXPECT_EQ(services_.said(), (std::vector<std::string>{"Stop | ui_tests | There is no page to go forward to.",
                                                          "Stop | ui_tests | There is no page to go back to."}));
}

TEST_F(AboutTest, MissingPageSaysSoAndTheWindowIsItsForms)
{
    TempDir empty;
    AboutWindow about(services_, nullptr, qpath(empty.path()) + "/");
    EXPECT_TRUE(about.browser()->toPlainText().contains("could not be loaded"));
    EXPECT_TRUE(services_.messages.empty());
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
