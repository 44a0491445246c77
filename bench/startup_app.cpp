// The program's real start-up, ended at the main window's first paint: the
// start-up driver runs this as a child and reads its FIRSTPAINT line. The
// user's key comes 300 ms after the splash is on screen, as a person takes at
// least that long to read it; the hand-over is timed from that key.
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "firstpaint.h"
#include "frmmain.h"
#include "frmsplash.h"
#include "startup.h"

using plovatrix::bench::AfterFirstPaint;
using plovatrix::bench::FirstPaintExit;
using plovatrix::bench::MarkPhase;

int main(int argc, char* argv[]) {
    MarkPhase("main");
    QApplication app(argc, argv);
    MarkPhase("qapplication");
    FirstPaintExit exitOnPaint([](const QWidget* w) { return qobject_cast<const frmmain*>(w); });
    app.installEventFilter(&exitOnPaint);

    // The program's own start-up, as main() runs it.
    plovatrix::app::StartUp startUp(app);
    QWidget* splash = startUp.splash();
    MarkPhase("splash-shown");

    // The user's key press, as the platform would deliver it to the splash's
    // window, once the splash has been on screen for a while.
    AfterFirstPaint(splash, [splash] {
        MarkPhase("splash-painted");
        QTimer::singleShot(300, splash, [splash] {
            QWindow* handle = splash->windowHandle();
            MarkPhase("key");
            QCoreApplication::postEvent(
                handle, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
            QCoreApplication::postEvent(
                handle, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " "));
        });
    });
    return app.exec();
}
