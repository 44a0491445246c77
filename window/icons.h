// Plovatrix's own icon, an AB=CD zigzag, painted so it is crisp at any size.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QPointF>

class QPainter;

namespace plovatrix::win {

// The mark shared by the icon and the splash's logo: the guides A-C and B-D,
// the legs A-B-C-D in red and D in green, with widths for a scale.
void PaintSwing(QPainter& p, QPointF a, QPointF b, QPointF c, QPointF d, qreal legWidth);
// The icon painted at size x size device pixels.
QPixmap DrawAppIcon(int size);
// The windows' and the Analyze buttons' icon, at 16x16, 32x32 and 48x48.
QIcon AppIcon();

}  // namespace plovatrix::win
