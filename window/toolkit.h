// The few operations of the classic form toolkit that the window code relies
// on, given their meaning in Qt: twips, 0x00BBGGRR and system colours, self-
// sizing captions, outer window sizes and modal message boxes.
#pragma once

#include <QColor>
#include <QIcon>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QPointF>
#include <QRect>
#include <QString>

class QLabel;
class QPainter;
class QWidget;

namespace plovatrix::win {

// Layouts are given in twips: 15 to a logical pixel at 96 dpi.
inline constexpr int TwipsPerPixel = 15;
constexpr int Px(int twips) {
    return (twips + (twips >= 0 ? TwipsPerPixel / 2 : -TwipsPerPixel / 2)) / TwipsPerPixel;
}
inline QRect TwipsRect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

// 0x00BBGGRR, or 0x800000nn for the desktop's system colour nn, which maps
// onto a role of the application palette so that the window follows the theme.
QColor OleColor(quint32 value);
// The same, with the system colours taken from `system`.
QColor OleColor(quint32 value, const QPalette& system);
// The desktop's colours with no theme: what the result panels, drawn in fixed
// colours, keep on any desktop (a dark theme would turn them light grey).
const QPalette& PlainPalette();

// Sets a role of a control's palette to an OLE colour and keeps it so while
// the program runs: a system colour is looked up again whenever the palette
// changes (the desktop's theme was changed). A text colour (WindowText, Text,
// ButtonText) stays readable on the background the theme gives it: where it
// would read below 3:1 it is mixed with white on a dark background, black on
// a light one, just enough. Every colour the windows use reads at 3:1 on the
// plain palette, so there they show exactly as set.
void SetOleColour(QWidget* widget, QPalette::ColorRole role, quint32 value);

// Marks a label as sizing itself to its text (left and top edges stay put).
void SetAutoSize(QLabel* label, bool on = true);
// Sets a label's caption; a self-sizing label then takes the size of its text.
void SetCaption(QLabel* label, const QString& text);

// Sets the outer size of a top-level window (frame and title bar included),
// in twips, keeping its top-left corner; the user may drag its border after.
// `frame` is what the frame adds to the client area in the window's normal
// state: none before the window is first framed, and where the platform draws
// no frame. A window maximized or full screen is restored first (not under
// Wayland, see there).
void SetOuterSize(QWidget* window, int widthTwips, int heightTwips, QSize frame);

// Where a window that grows to the outer size `full` opens on a screen's
// available area: with `full` centred, or at the area's top left where it does
// not fit, so that the window never has to be moved back onto the screen.
QPoint OpeningPosition(const QRect& available, QSize full);

// A modal box with one OK button; blocks until it is closed.
void ShowMessage(QWidget* parent, const QString& text, const QString& title,
                 QMessageBox::Icon icon);

// Plovatrix's own icon, an AB=CD zigzag, painted so it is crisp at any size.
// PaintSwing is the mark shared by the icon and the splash's logo: the guides
// A-C and B-D, the legs A-B-C-D in red and D in green, with widths for a scale.
void PaintSwing(QPainter& p, QPointF a, QPointF b, QPointF c, QPointF d, qreal legWidth);
// The icon painted at size x size device pixels.
QPixmap DrawAppIcon(int size);
// The windows' and the Analyze buttons' icon, at 16x16, 32x32 and 48x48.
QIcon AppIcon();

}  // namespace plovatrix::win
