#include "ui/AboutWindow.h"

#include "ui/CBrowser.h"
#include "ui/DialogUnits.h"
#include "ui/SpinArrows.h"
#include "ui/UiServices.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace rivetbay {

AboutWindow::AboutWindow(UiServices& services, QWidget* owner, const QString& pageFolder)
    : QDialog(owner), services_(services)
{
    setObjectName("aboutWindow");
    setWindowTitle("  About Vexillo's Rivetbay");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(dialogFont(9));
    const DialogUnits du(font());
    setFixedSize(du.x(366), du.y(288));
    // At the editor's corner, moved as little as keeps it wholly on the
    // screen: at a large scale it is taller than what lies below the corner.
    if (owner) {
        const QScreen* screen = owner->screen();
        const QPoint corner = owner->mapToGlobal(QPoint(0, 0));
        move(screen ? keepOnScreen(screen->availableGeometry(), corner, size()) : corner);
    }

    auto* ok = new QPushButton("OK...", this);
    ok->setObjectName("okButton");
    ok->setGeometry(du.rect(324, 2, 36, 28));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QLabel("Vexillo's Rivetbay 1.9.0\n"
                            "      C++ and Qt 6 build\n"
                            "       for I'76 Nitro",
                            this);
    text->setObjectName("aboutText");
    text->setGeometry(du.rect(212, 2, 108, 28));
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    browser_ = new CBrowser(this, pageFolder);
    browser_->setObjectName("browser");
    browser_->setGeometry(du.rect(4, 32, 358, 252));

    auto* arrows = new SpinArrows(Qt::Horizontal, this);
    arrows->setObjectName("historyArrows");
    arrows->setGeometry(du.rect(4, 2, 60, 28));
    connect(arrows, &SpinArrows::stepped, this, [this, arrows](int step) {
        const QString refusal = step < 0 ? browser_->GoBack() : browser_->GoForward();
        if (!refusal.isEmpty()) arrows->stopRepeat(); // one box per press
        report(refusal);
    });

    auto* reload = new QPushButton("Reload", this);
    reload->setObjectName("reloadButton");
    reload->setGeometry(du.rect(80, 2, 32, 28));
    reload->setAutoDefault(false);
    connect(reload, &QPushButton::clicked, browser_, &CBrowser::Refresh);

    auto* stop = new QPushButton("Stop", this);
    stop->setObjectName("stopButton");
    stop->setGeometry(du.rect(128, 2, 32, 28));
    stop->setAutoDefault(false);
    connect(stop, &QPushButton::clicked, browser_, &CBrowser::Stop);

    browser_->Navigate(browser_->GetPath() + "Rivetbay.html");
    ok->setFocus(Qt::OtherFocusReason);
}

void AboutWindow::report(const QString& error)
{
    if (error.isEmpty()) return;
    services_.showMessage(MessageIcon::Stop, applicationName().toStdString(), error.toStdString());
}

} // namespace rivetbay
