#include <QApplication>

#include "appinfo.h"
#include "frmsplash.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    plovatrix::app::ApplyApplicationInfo(app);

    // The splash opens first; a key or a click on its frame brings frmmain,
    // whose Form_Load unloads the splash. Closing frmmain ends the program.
    auto* splash = new frmSplash;
    // Closed before any hand-over (Alt+F4), it ends the program and goes too.
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    return app.exec();
}
