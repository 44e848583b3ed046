#include "ui/HiddenButton.h"

#include <QAccessibleWidget>

namespace rivetbay {

namespace {

// A button as a screen reader sees it, hidden and with nothing to do.
class NoActions final : public QAccessibleWidget {
public:
    explicit NoActions(QWidget* button) : QAccessibleWidget(button, QAccessible::Button) {}
    QStringList actionNames() const override { return {}; }
    void doAction(const QString&) override {}
};

QAccessibleInterface* hiddenButtons(const QString&, QObject* object)
{
    auto* button = qobject_cast<HiddenButton*>(object);
    return button ? new NoActions(button) : nullptr;
}

} // namespace

HiddenButton::HiddenButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    static const bool installed = (QAccessible::installFactory(hiddenButtons), true);
    (void)installed;
    setVisible(false);
}

} // namespace rivetbay
