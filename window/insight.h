// What of a control a sighted user sees: the one rule that both the keyboard
// order and a screen reader's view of the windows follow.
#pragma once

class QWidget;

namespace plovatrix::win {

// Whether any part of a visible control lies in its window's client area, as
// each container up to the window and the window's own size cut it, and is
// not covered by an opaque control stacked above it.
bool InSight(const QWidget* control);

}  // namespace plovatrix::win
