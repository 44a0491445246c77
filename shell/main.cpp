#include <QApplication>

#include "startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    plovatrix::app::StartUp startUp(app);
    return app.exec();
}
