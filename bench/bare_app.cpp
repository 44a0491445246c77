// The floor the start-up is measured against: a plain Qt Widgets program with
// one window of the main window's full size and a few dozen labels.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "firstpaint.h"

int main(int argc, char* argv[]) {
    plovatrix::bench::MarkPhase("main");
    QApplication app(argc, argv);
    plovatrix::bench::MarkPhase("qapplication");
    QWidget window;
    plovatrix::bench::FirstPaintExit exitOnPaint(
        [&window](const QWidget* w) { return w == &window; });
    app.installEventFilter(&exitOnPaint);
    window.setWindowTitle(QStringLiteral("Bare"));
    window.setFixedSize(954, 630);
    constexpr int columns = 6, rows = 8;  // 48 labels
    for (int i = 0; i < columns * rows; ++i) {
        auto* label = new QLabel(QStringLiteral("Label %1: 1.2618").arg(i + 1), &window);
        label->setGeometry(20 + (i % columns) * 155, 20 + (i / columns) * 70, 145, 24);
    }
    plovatrix::bench::MarkPhase("window-built");
    window.show();
    return app.exec();
}
