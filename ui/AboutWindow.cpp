#include "ui/AboutWindow.h"

#include "app/WindowPlacement.h"
#include "ui/CBrowser.h"
#include "ui/DialogUnits.h"
#include "ui/ScreenReaderNames.h"
#include "ui/SpinArrows.h"
#include "ui/UiServices.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace rivetbay {

AboutWindow::AboutWindow(UiServices& services, QWidget* owner, const QString& pageFolder)
    : QDialog(owner), services_(services)
{
    setObjectName("aboutWindow");
    const DialogUnits du = shapeWindow(*this, AboutForm::form());
    // At the editor's corner, moved as little as keeps it wholly on the
    // screen, its frame included, and never larger than the screen: at a
    // large scale it is taller than what lies below the corner, or than the
    // screen. The page view gives up what the window cannot have.
    QSize lost(0, 0);
    if (owner) {
        // Not shown yet, it has no frame: the one the editor was given.
        const QMargins frame = owner->windowHandle() ? owner->windowHandle()->frameMargins() : QMargins();
        const QPoint corner = owner->mapToGlobal(QPoint(0, 0));
        const QSize whole = size().grownBy(frame);
        ScreenRect placed{corner.x(), corner.y(), whole.width(), whole.height()};
        if (const QScreen* screen = owner->screen()) {
            const QRect work = screen->availableGeometry();
            placed = keepOnScreen({work.x(), work.y(), work.width(), work.height()}, placed);
        }
        lost = whole - QSize(placed.width, placed.height);
        move(placed.x, placed.y); // a window's place is its frame's
    }

    QPushButton* ok = nullptr;
    for (const WindowControl& c : AboutForm::form().controls) { // in tab order
        QWidget* made = nullptr;
        switch (c.kind) {
        case WindowControlKind::DefaultButton:
            made = ok = new QPushButton(c.text, this);
            ok->setDefault(true);
            connect(ok, &QPushButton::clicked, this, &QDialog::accept);
            break;
        case WindowControlKind::Button: {
            auto* button = new QPushButton(c.text, this);
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, browser_,
                    c.id == AboutForm::reloadId ? &CBrowser::Refresh : &CBrowser::Stop);
            made = button;
            break;
        }
        case WindowControlKind::Text: {
            auto* text = new QLabel(QString::fromStdString(AboutForm::text("C++ and Qt 6 build")), this);
            text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            made = text;
            break;
        }
        case WindowControlKind::Browser:
            made = browser_ = new CBrowser(this, pageFolder);
            break;
        case WindowControlKind::HistoryArrows: {
            auto* arrows = new SpinArrows(Qt::Horizontal, this);
            connect(arrows, &SpinArrows::stepped, this, [this, arrows](int step) {
                const QString refusal = step < 0 ? browser_->GoBack() : browser_->GoForward();
                if (!refusal.isEmpty()) arrows->stopRepeat(); // one box per press
                report(refusal);
            });
            made = arrows;
            break;
        }
        case WindowControlKind::List:
            continue;
        }
        placeControl(*made, c, du);
        nameForScreenReaders(*made, AccessibleNames::aboutControl(c.id));
    }

    if (!lost.isNull()) {
        setFixedSize(size() - lost);
        browser_->resize(browser_->size() - lost); // and scrolls
    }
    browser_->Navigate(browser_->GetPath() + AboutForm::page);
    ok->setFocus(Qt::OtherFocusReason);
}

void AboutWindow::report(const QString& error)
{
    if (error.isEmpty()) return;
    services_.showMessage(MessageIcon::Stop, applicationName().toStdString(), error.toStdString());
}

} // namespace rivetbay
