#include "ui/DialogUnits.h"

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

} // namespace rivetbay
