#include <QApplication>

#include "frmmain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    auto* window = new frmmain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return app.exec();
}
