// Plovatrix's own icon: an AB=CD zigzag, painted, so it is crisp at any size.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace plovatrix::win {

// The icon painted at size x size device pixels.
QPixmap DrawAppIcon(int size);
// The window's and the Analyze buttons' icon, at 16x16, 32x32 and 48x48.
QIcon AppIcon();

}  // namespace plovatrix::win
