#include "appinfo.h"

#include <QApplication>

#include "frmsplash.h"
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

QWidget* StartUp(QApplication& app) {
    ApplyApplicationInfo(app);
    // A key or a click on its frame brings frmmain, whose Form_Load unloads
    // the splash. Closing frmmain ends the program.
    auto* splash = new frmSplash;
    // Closed before any hand-over (Alt+F4), it ends the program and goes too.
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    return splash;
}

}  // namespace plovatrix::app
