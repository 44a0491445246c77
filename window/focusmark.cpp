#include "focusmark.h"

#include <QPainter>

namespace plovatrix::win {

void DrawFocusMark(QPainter& painter, const QRect& rect, const QColor& colour) {
    QPen dotted(colour, 1);
    dotted.setDashPattern({1, 1});
    painter.save();
    painter.setPen(dotted);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

}  // namespace plovatrix::win
