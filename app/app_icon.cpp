#include "app/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace vm {
namespace {

QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // Tripod legs.
    p.setPen(QPen(QColor(90, 60, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 17), QPointF(6, 30));
    p.drawLine(QPointF(16, 17), QPointF(16, 30));
    p.drawLine(QPointF(16, 17), QPointF(26, 30));
    // Instrument body and telescope.
    p.setPen(QPen(QColor(20, 40, 90), 1.2));
    p.setBrush(QColor(250, 200, 40));
    p.drawRoundedRect(QRectF(9, 6, 14, 11), 2, 2);
    p.setBrush(QColor(40, 90, 170));
    p.drawRoundedRect(QRectF(12, 2, 8, 6), 1.5, 1.5);
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QPointF(16, 11.5), 3, 3);
    return pixmap;
}

}  // namespace

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(DrawIcon(size));
    return icon;
}

}  // namespace vm
