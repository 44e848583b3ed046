#pragma once

// Positions given in dialog units, converted with the dialog font's base
// units as the classic dialog manager does.

#include <QFont>
#include <QRect>

namespace rivetbay {

// "Lucida Console" where it exists, else a fixed-pitch face.
QFont dialogFont(int points);

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int x(int units) const { return units * baseX_ / 4; }
    int y(int units) const { return units * baseY_ / 8; }
    QRect rect(int x0, int y0, int width, int height) const
    {
        return {x(x0), y(y0), x(width), y(height)};
    }

private:
    int baseX_;
    int baseY_;
};

} // namespace rivetbay
