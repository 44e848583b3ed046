#include "ui/ScreenReaderNames.h"

#include "ui/SpinArrows.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace rivetbay {

namespace {

// The toolkit names a list by its current item on Linux ("V6, combo box"),
// leaving the list's own name to a label relation; several lists here share
// one label, so a named list says its name and gives its item as its value.
class NamedList final : public QAccessibleWidget {
public:
    explicit NamedList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override
    {
        const auto* list = static_cast<QComboBox*>(widget());
        if (kind == QAccessible::Value) return list->isEditable() ? list->lineEdit()->text() : list->currentText();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction())
            static_cast<QComboBox*>(widget())->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* namedLists(const QString&, QObject* object)
{
    auto* list = qobject_cast<QComboBox*>(object);
    return list && !list->accessibleName().isEmpty() ? new NamedList(list) : nullptr;
}

} // namespace

void nameForScreenReaders(QWidget& control, const AccessibleName* spoken)
{
    static const bool installed = (QAccessible::installFactory(namedLists), true);
    (void)installed;
    if (!spoken) return;
    control.setAccessibleName(spoken->name);
    if (auto* list = qobject_cast<QComboBox*>(&control); list && list->lineEdit())
        list->lineEdit()->setAccessibleName(spoken->name); // the part that takes the typing
    if (auto* arrows = qobject_cast<SpinArrows*>(&control); arrows && spoken->less) {
        arrows->decreaseButton()->setAccessibleName(spoken->less);
        arrows->increaseButton()->setAccessibleName(spoken->more);
    }
}

} // namespace rivetbay
