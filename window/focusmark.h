// The classic focus mark, which the push button and the spinner draw.
#pragma once

class QColor;
class QPainter;
class QRect;

namespace plovatrix::win {

// A dotted rectangle just inside rect, drawn over a face without tinting it.
void DrawFocusMark(QPainter& painter, const QRect& rect, const QColor& colour);

}  // namespace plovatrix::win
