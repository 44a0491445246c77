// The classic colours: 0x00BBGGRR values and the desktop's system colours,
// kept readable on whatever theme the desktop has, and followed as it changes.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace plovatrix::win {

// 0x00BBGGRR, or 0x800000nn for the desktop's system colour nn, which maps
// onto a role of `system` (the application palette unless given), so that
// the window follows the theme.
QColor OleColor(quint32 value);
QColor OleColor(quint32 value, const QPalette& system);
// The desktop's colours with no theme: what the result panels, drawn in fixed
// colours, keep on any desktop (a dark theme would turn them light grey).
const QPalette& PlainPalette();

// Sets a role of a control's palette to an OLE colour. A text colour
// (WindowText, Text, ButtonText) stays readable on the background the theme
// gives it: where it would read below 3:1 it is mixed with white on a dark
// background, black on a light one, just enough. Every colour the windows use
// reads at 3:1 on the plain palette, so there they show exactly as set.
void SetOleColour(QWidget* widget, QPalette::ColorRole role, quint32 value);

// Looks every OLE colour of the window's controls up again: the desktop's
// theme has changed. Each window calls it once, when Qt has passed the new
// palette on to its controls.
void ReapplyOleColours(QWidget* window);

}  // namespace plovatrix::win
