#pragma once
// Places controls from dialog units, the coordinates dialog layouts are given
// in. The base units come from the dialog's font as the Windows dialog manager
// computes them: the average width of "A".."Z" "a".."z" (rounded over 52) and
// the font's height. One horizontal unit is baseX/4 pixels, one vertical unit
// baseY/8 pixels.

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace vm {

class DialogUnits {
public:
    DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}
    static DialogUnits ForFont(const QFont& font);

    int baseX() const { return m_baseX; }
    int baseY() const { return m_baseY; }

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QRect toPixels(int x, int y, int width, int height) const;
    QSize toPixels(int width, int height) const;

    // Moves and sizes w to the rectangle given in dialog units.
    void place(QWidget* w, int x, int y, int width, int height) const;

private:
    int m_baseX;
    int m_baseY;
};

}  // namespace vm
