#include "ui/DialogUnits.h"

#include <QDialog>
#include <QFontMetrics>
#include <QStringList>

namespace rivetbay {

QFont dialogFont(int points)
{
    QFont font;
    const QStringList families{QStringLiteral("Lucida Console"), QStringLiteral("DejaVu Sans Mono"),
                               QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"),
                               QStringLiteral("monospace")};
    font.setFamilies(families);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferDefault);
    font.setFixedPitch(true);
    font.setPointSize(points);
    return font;
}

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = (letters / 26 + 1) / 2; // the average of the 52 letters, rounded
    baseY_ = metrics.height();
}

DialogUnits shapeWindow(QDialog& window, const WindowForm& form)
{
    window.setWindowTitle(form.title);
    window.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
    window.setFont(dialogFont(form.fontPoints));
    const DialogUnits du(window.font());
    if (form.resizable) window.resize(du.x(form.width), du.y(form.height));
    else window.setFixedSize(du.x(form.width), du.y(form.height));
    return du;
}

void placeControl(QWidget& made, const WindowControl& control, const DialogUnits& du)
{
    made.setObjectName(control.name);
    made.setGeometry(du.rect(control.at));
}

} // namespace rivetbay
