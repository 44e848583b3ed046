#pragma once

// Positions given in dialog units, converted with the dialog font's base
// units as the classic dialog manager does.

#include "app/WindowForms.h"

#include <QFont>
#include <QRect>

class QDialog;
class QWidget;

namespace rivetbay {

// "Lucida Console" where it exists, else a fixed-pitch face.
QFont dialogFont(int points);

class DialogUnits;

// A small window as its form says: caption, frame, font and size.
DialogUnits shapeWindow(QDialog& window, const WindowForm& form);
// One of its controls' place and name.
void placeControl(QWidget& made, const WindowControl& control, const DialogUnits& du);

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int x(int units) const { return units * baseX_ / 4; }
    int y(int units) const { return units * baseY_ / 8; }
    QRect rect(int x0, int y0, int width, int height) const
    {
        return {x(x0), y(y0), x(width), y(height)};
    }
    QRect rect(const DialogRect& at) const { return rect(at.x, at.y, at.w, at.h); }

private:
    int baseX_;
    int baseY_;
};

} // namespace rivetbay
