#include "ui/HackbusterWindow.h"

#include "ui/DialogUnits.h"

#include <QPushButton>
#include <QTreeWidget>

namespace rivetbay {

HackbusterWindow::HackbusterWindow(QWidget* owner) : QDialog(owner)
{
    setObjectName("hackbusterWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle("  Rivetbay  :  Hackbuster");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(dialogFont(14));
    const DialogUnits du(font());
    resize(du.x(205), du.y(129));
    if (owner) move(owner->mapToGlobal(QPoint(0, 0)));

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("okButton");
    ok->setGeometry(du.rect(158, 108, 44, 16));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* list = new QTreeWidget(this);
    list->setObjectName("list");
    list->setGeometry(du.rect(4, 4, 198, 100));
    list->setColumnCount(0);
    list->setRootIsDecorated(false);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, QColor(64, 48, 32));
    list->setPalette(palette);
    list->setAutoFillBackground(true);

    ok->setFocus(Qt::OtherFocusReason);
}

} // namespace rivetbay
