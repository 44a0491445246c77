#include "frmmain.h"

#include <QApplication>

frmmain::frmmain(QWidget* parent) : QWidget(parent) {
    setObjectName("frmmain");
    setWindowTitle("Plovatrix");
    Form_Load();
}

void frmmain::Form_Load() {
    // The splash, when it opened first, is unloaded once we are loaded. Its own
    // handler is still running further up the stack, hence deleteLater.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmSplash")) {
            w->hide();
            w->deleteLater();
        }
    }
}
