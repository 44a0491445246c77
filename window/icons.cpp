#include <QPainter>
#include <QPainterPath>

#include "icons.h"

namespace plovatrix::win {

void PaintSwing(QPainter& p, QPointF a, QPointF b, QPointF c, QPointF d, qreal legWidth) {
    // In the proportions of the 32 px icon: legs 2.6, guides 1.2, D's dot 3.
    const qreal unit = legWidth / 2.6;
    p.setPen(QPen(QColor(0xFF, 0xFF, 0xC0), 1.2 * unit, Qt::DashLine));
    p.drawLine(a, c);
    p.drawLine(b, d);

    QPainterPath legs(a);
    legs.lineTo(b);
    legs.lineTo(c);
    legs.lineTo(d);
    p.setPen(QPen(QColor(0xFF, 0x30, 0x30), legWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(legs);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x00, 0xE0, 0x00));
    p.drawEllipse(d, 3 * unit, 3 * unit);
}

QPixmap DrawAppIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    // A dark rounded tile, the bullish zigzag A-B-C-D in red, D marked green.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x24, 0x30));
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 5, 5);

    PaintSwing(p, {5, 6}, {13, 20}, {19, 12}, {27, 27}, 2.6);
    return pixmap;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        icon.addPixmap(DrawAppIcon(size));
    }
    return icon;
}

}  // namespace plovatrix::win
