#include <QApplication>

#include "appinfo.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    plovatrix::app::StartUp(app);
    return app.exec();
}
