#include "ui/NumberField.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace rivetbay {

namespace {
constexpr int lineEditMargin = 2; // QLineEdit's own horizontal text margin
}

QRect NumberField::textRect() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    r = r.marginsRemoved(textMargins());
    return r.adjusted(lineEditMargin, 0, -lineEditMargin, 0);
}

QString NumberField::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, textRect().width());
}

void NumberField::paintEvent(QPaintEvent* event)
{
    const QString shown = shownText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(textRect(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

} // namespace rivetbay
