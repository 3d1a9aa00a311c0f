#include "app/dialog_units.h"

#include <QFontMetrics>
#include <QWidget>

namespace vm {
namespace {

// Rounded a * b / c, as the dialog manager's MulDiv.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

DialogUnits DialogUnits::ForFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabetWidth = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseX = (alphabetWidth / 26 + 1) / 2;
    return DialogUnits(baseX > 0 ? baseX : 1, metrics.height() > 0 ? metrics.height() : 1);
}

int DialogUnits::toPixelsX(int units) const {
    return MulDiv(units, m_baseX, 4);
}
int DialogUnits::toPixelsY(int units) const {
    return MulDiv(units, m_baseY, 8);
}

QRect DialogUnits::toPixels(int x, int y, int width, int height) const {
    return QRect(toPixelsX(x), toPixelsY(y), toPixelsX(width), toPixelsY(height));
}

QSize DialogUnits::toPixels(int width, int height) const {
    return QSize(toPixelsX(width), toPixelsY(height));
}

void DialogUnits::place(QWidget* w, int x, int y, int width, int height) const {
    w->setGeometry(toPixels(x, y, width, height));
}

}  // namespace vm
