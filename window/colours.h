// The classic colours: 0x00BBGGRR values and the desktop's system colours,
// kept readable on whatever theme the desktop has, and followed as it changes.
#pragma once

#include <QColor>
#include <QPalette>
#include <map>

class QWidget;

namespace plovatrix::win {

// The desktop's system colours the windows use, named as the classic form
// names them: 0x800000nn is the system colour nn.
namespace SystemColour {
inline constexpr quint32 WindowBackground = 0x80000005;
inline constexpr quint32 WindowFrame = 0x80000006;
inline constexpr quint32 WindowText = 0x80000008;
inline constexpr quint32 ActiveBorder = 0x8000000A;
inline constexpr quint32 InactiveBorder = 0x8000000B;
inline constexpr quint32 ButtonFace = 0x8000000F;
inline constexpr quint32 ButtonText = 0x80000012;
inline constexpr quint32 Hyperlink = 0x8000001A;
}  // namespace SystemColour

// The fixed colours, 0x00BBGGRR.
namespace FixedColour {
inline constexpr quint32 Red = 0x000000FF;
inline constexpr quint32 Green = 0x0000FF00;
inline constexpr quint32 Yellow = 0x0000FFFF;
inline constexpr quint32 LightYellow = 0x00C0FFFF;
inline constexpr quint32 LightGreen = 0x0080FF80;
inline constexpr quint32 Pink = 0x00FFC0FF;
}  // namespace FixedColour

// 0x00BBGGRR, or a system colour, which maps
// onto a role of `system` (the application palette unless given), so that
// the window follows the theme.
QColor OleColor(quint32 value);
QColor OleColor(quint32 value, const QPalette& system);
// The desktop's colours with no theme: what the result panels, drawn in fixed
// colours, keep on any desktop (a dark theme would turn them light grey).
const QPalette& PlainPalette();

// A control that keeps the OLE colours it was given, role by role, so that
// they are looked up again when the desktop's theme changes.
class OleColoured {
public:
    virtual ~OleColoured() = default;

private:
    friend void SetOleColour(QWidget* widget, QPalette::ColorRole role, quint32 value);
    friend void ReapplyOleColours(QWidget* window);
    std::map<QPalette::ColorRole, quint32> kept_;
};

// Sets a role of a control's palette to an OLE colour, kept by an OleColoured
// control for the next theme. A text colour
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
