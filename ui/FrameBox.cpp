#include "ui/FrameBox.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <qdrawutil.h>

namespace rivetbay {

namespace {
constexpr int titleIndent = 6; // from the frame's corner to the title's gap
constexpr int titlePadding = 2;

// A screen reader meets it as a group box: a grouping called by its title.
QAccessibleInterface* groupings(const QString&, QObject* object)
{
    auto* frame = qobject_cast<FrameBox*>(object);
    return frame ? new QAccessibleWidget(frame, QAccessible::Grouping, frame->title()) : nullptr;
}
} // namespace

FrameBox::FrameBox(const QString& title, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), title_(title), alignment_(alignment)
{
    static const bool installed = (QAccessible::installFactory(groupings), true);
    (void)installed;
    setAttribute(Qt::WA_TransparentForMouseEvents); // a drop or click goes to the window
}

QRect FrameBox::titleRect() const
{
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(title_) + 2 * titlePadding;
    const int x = alignment_ & Qt::AlignRight ? rect().width() - titleIndent - width : titleIndent;
    return {x, 0, width, metrics.height()};
}

QRect FrameBox::frameRect() const
{
    return rect().adjusted(0, QFontMetrics(font()).height() / 2, 0, 0);
}

void FrameBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The etched line of the classic group box, drawn here rather than by the
    // style: some styles (Fusion) move their frame a line below the title.
    qDrawShadeRect(&painter, frameRect(), palette(), true, 1, 0, nullptr);
    const QRect title = titleRect();
    painter.fillRect(title, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(title, Qt::AlignCenter, title_);
}

} // namespace rivetbay
