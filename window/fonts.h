// The classic faces the layout names, mapped onto fonts Debian ships.
#pragma once

#include <QFont>
#include <QString>

namespace plovatrix::win {

// Teaches Qt's font matching our substitutes: "MS Sans Serif" to Liberation
// Sans (metric-compatible with Arial, which fontconfig maps to it already),
// "MV Boli" to Comic Neue, each falling back to a plain sans. Safe to call
// more than once.
void InstallFontSubstitutes();

// A font as the layout names it: family, point size (fractions kept), weight.
QFont LayoutFont(const QString& family, double points, bool bold = false);

}  // namespace plovatrix::win
