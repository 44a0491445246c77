#include "appinfo.h"

#include <QApplication>

#include "icons.h"
#include "product.h"

namespace plovatrix::app {

QString VersionText() {
    return QStringLiteral("%1.%2.%3").arg(Major).arg(Minor).arg(Revision);
}

void ApplyApplicationInfo(QApplication& app) {
    QApplication::setApplicationName(QString::fromLatin1(Title));
    QApplication::setApplicationVersion(VersionText());
    // Wayland compositors and docks match windows to the desktop entry by it.
    QApplication::setDesktopFileName(QString::fromLatin1(AppId));
    app.setWindowIcon(win::AppIcon());
}

}  // namespace plovatrix::app
