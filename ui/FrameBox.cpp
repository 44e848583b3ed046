#include "ui/FrameBox.h"

#include <QPainter>
#include <qdrawutil.h>

namespace rivetbay {

namespace {
constexpr int titleIndent = 6; // from the frame's corner to the title's gap
constexpr int titlePadding = 2;
} // namespace

FrameBox::FrameBox(const QString& title, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), title_(title), alignment_(alignment)
{
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
