#include "ui/HackbusterWindow.h"

#include "ui/DialogUnits.h"
#include "ui/ScreenReaderNames.h"

#include <QPushButton>
#include <QTreeWidget>

namespace rivetbay {

HackbusterWindow::HackbusterWindow(QWidget* owner) : QDialog(owner)
{
    setObjectName("hackbusterWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    const DialogUnits du = shapeWindow(*this, HackbusterForm::form());
    if (owner) move(owner->mapToGlobal(QPoint(0, 0)));

    QPushButton* ok = nullptr;
    for (const WindowControl& c : HackbusterForm::form().controls) {
        if (c.kind == WindowControlKind::DefaultButton) {
            ok = new QPushButton(c.text, this);
            ok->setDefault(true);
            connect(ok, &QPushButton::clicked, this, &QDialog::close);
            placeControl(*ok, c, du);
            nameForScreenReaders(*ok, AccessibleNames::hackbusterControl(c.id));
        } else if (c.kind == WindowControlKind::List) {
            auto* list = new QTreeWidget(this);
            list->setColumnCount(0);
            list->setRootIsDecorated(false);
            QPalette palette = list->palette();
            const Colour dark = HackbusterForm::background;
            palette.setColor(QPalette::Base, QColor(dark.red, dark.green, dark.blue));
            list->setPalette(palette);
            list->setAutoFillBackground(true);
            placeControl(*list, c, du);
            nameForScreenReaders(*list, AccessibleNames::hackbusterControl(c.id));
        }
    }
    if (ok) ok->setFocus(Qt::OtherFocusReason);
}

} // namespace rivetbay
