#include "icons.h"

#include <QPainter>
#include <QPainterPath>

namespace plovatrix::win {

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

    const QPointF a(5, 6), b(13, 20), c(19, 12), d(27, 27);
    QPen guide(QColor(0xFF, 0xFF, 0xC0), 1.2, Qt::DashLine);
    p.setPen(guide);
    p.drawLine(a, c);
    p.drawLine(b, d);

    QPainterPath legs(a);
    legs.lineTo(b);
    legs.lineTo(c);
    legs.lineTo(d);
    p.setPen(QPen(QColor(0xFF, 0x30, 0x30), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(legs);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x00, 0xE0, 0x00));
    p.drawEllipse(d, 3, 3);
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
