// The splash window as the user meets it: what it shows, which keys and clicks
// hand over to the main window, and that the hand-over leaves frmmain alone.
#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include "appinfo.h"
#include "frmmain.h"
#include "frmsplash.h"
#include "product.h"

namespace {

QList<frmmain*> MainWindows() {
    QList<frmmain*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* m = qobject_cast<frmmain*>(w)) {
            found.append(m);
        }
    }
    return found;
}

QStringList VisibleWindows() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible()) {
            names.append(w->objectName());
        }
    }
    return names;
}

}  // namespace

class SplashTest : public QObject {
    Q_OBJECT

private:
    QPointer<frmSplash> splash;

    template <typename T = QWidget>
    T* Child(const QString& name) {
        return splash->findChild<T*>(name);
    }

    // After a hand-over: let the splash's deferred unload happen, then check
    // that exactly one main window is open and nothing else is.
    void VerifyHandedOver() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(splash.isNull());
        QCOMPARE(MainWindows().size(), 1);
        QCOMPARE(VisibleWindows(), QStringList{QStringLiteral("frmmain")});
    }

    void VerifyStillSplash() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!splash.isNull());
        QCOMPARE(VisibleWindows(), QStringList{QStringLiteral("frmSplash")});
    }

private slots:
    void init() {
        splash = new frmSplash;
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
    }

    void cleanup() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            windows.append(w);
        }
        for (const QPointer<QWidget>& w : windows) {
            delete w.data();
        }
    }

    void texts_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("version") << "lblVersion"
                                 << "Version 1.0.0";
        QTest::newRow("product") << "lblProductName"
                                 << "Plovatrix";
        QTest::newRow("platform") << "lblPlatform"
                                  << "Platform";
        QTest::newRow("credit") << "lblLicenseTo"
                                << "Designed by : Plovatrix developers";
        QTest::newRow("contact") << "lblWarning"
                                 << "E-mail : support@plovatrix.example";
    }
    void texts() {
        QFETCH(QString, label);
        QFETCH(QString, text);
        auto* shown = Child<QLabel>(label);
        QVERIFY(shown);
        QCOMPARE(shown->text(), text);
        QVERIFY(shown->isVisible());
        // The whole text is in view: not cut by its own box nor by the frame.
        QVERIFY(shown->width() >= shown->sizeHint().width());
        QVERIFY(Child("Frame1")->rect().contains(shown->geometry()));
    }

    // No text is covered by another text or by the logo, whatever the texts
    // grew to. (The credit line's box reaches over the logo's top by design;
    // its text, at the right, does not.)
    void noOverlaps() {
        auto seen = [this](const QString& name) {
            QWidget* w = Child(name);
            const auto* label = qobject_cast<QLabel*>(w);
            if (!label) {
                return w->geometry();
            }
            return QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                       label->sizeHint().boundedTo(label->size()),
                                       label->geometry());
        };
        const QStringList names{"lblLicenseTo", "imgLogo",    "lblProductName",
                                "lblPlatform",  "lblVersion", "lblWarning"};
        for (int i = 0; i < names.size(); ++i) {
            for (int j = i + 1; j < names.size(); ++j) {
                QVERIFY2(!seen(names[i]).intersects(seen(names[j])),
                         qPrintable(names[i] + " overlaps " + names[j]));
            }
        }
    }

    // Platform and the longer version text end under each other, as designed.
    void rightAlignedLabelsShareTheirRightEdge() {
        QCOMPARE(Child("lblVersion")->geometry().right(), Child("lblPlatform")->geometry().right());
    }

    void window() {
        QCOMPARE(splash->windowTitle(), QString());
        QCOMPARE(splash->contentsRect().size(), QSize(492, 283));
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash->minimumSize(), splash->maximumSize());
        const QRect screen = splash->screen()->availableGeometry();
        const QPoint off = splash->frameGeometry().center() - screen.center();
        QVERIFY2(qAbs(off.x()) <= 4 && qAbs(off.y()) <= 4, "not centred on the screen");
    }

    void applicationInfo() {
        plovatrix::app::ApplyApplicationInfo(*qApp);
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Plovatrix"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.0.0"));
        QCOMPARE(QGuiApplication::desktopFileName(), QLatin1String(plovatrix::app::AppId));
    }

    void leftAloneItStays() {
        QCoreApplication::processEvents();
        VerifyStillSplash();
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");  // what the platform reports with the key
        QTest::addColumn<bool>("handsOver");
        const int none = Qt::NoModifier;
        QTest::newRow("a") << int(Qt::Key_A) << none << "a" << true;
        QTest::newRow("Shift+Z") << int(Qt::Key_Z) << int(Qt::ShiftModifier) << "Z" << true;
        QTest::newRow("0") << int(Qt::Key_0) << none << "0" << true;
        QTest::newRow("9") << int(Qt::Key_9) << none << "9" << true;
        QTest::newRow("space") << int(Qt::Key_Space) << none << " " << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << none << "\r" << true;
        QTest::newRow("keypad Enter")
            << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << none << "\x1b" << true;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "\b" << true;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << "\t" << true;
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier) << "\x03" << true;
        QTest::newRow("Left") << int(Qt::Key_Left) << none << "" << false;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << "" << false;
        QTest::newRow("Up") << int(Qt::Key_Up) << none << "" << false;
        QTest::newRow("Down") << int(Qt::Key_Down) << none << "" << false;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << "" << false;
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << none << "" << false;
        QTest::newRow("Insert") << int(Qt::Key_Insert) << none << "" << false;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "\x7f" << false;
        QTest::newRow("F1") << int(Qt::Key_F1) << none << "" << false;
        QTest::newRow("F12") << int(Qt::Key_F12) << none << "" << false;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << none << "" << false;
        QTest::newRow("Control") << int(Qt::Key_Control) << none << "" << false;
        QTest::newRow("Alt") << int(Qt::Key_Alt) << none << "" << false;
        QTest::newRow("Meta") << int(Qt::Key_Meta) << none << "" << false;
        QTest::newRow("CapsLock") << int(Qt::Key_CapsLock) << none << "" << false;
    }
    void keys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(bool, handsOver);
        QTest::sendKeyEvent(QTest::Click, splash->windowHandle(), Qt::Key(key), text,
                            Qt::KeyboardModifiers(modifiers));
        if (handsOver) {
            VerifyHandedOver();
        } else {
            VerifyStillSplash();
        }
    }

    void clicks_data() {
        QTest::addColumn<QString>("on");    // the widget the point is given in
        QTest::addColumn<QPoint>("point");  // in that widget; (-1,-1) for its centre
        QTest::addColumn<QString>("hits");  // the widget the window finds there
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("handsOver");
        const QPoint centre(-1, -1);
        const int left = Qt::LeftButton;
        QTest::newRow("frame, free surface")
            << "Frame1" << QPoint(300, 60) << "Frame1" << left << true;
        QTest::newRow("frame, below the rule")
            << "Frame1" << QPoint(400, 250) << "Frame1" << left << true;
        QTest::newRow("frame, its border")
            << "Frame1" << QPoint(0, 100) << "Frame1" << left << true;
        QTest::newRow("Line1") << "Line1" << centre << "Frame1" << left << true;
        QTest::newRow("frame, right button")
            << "Frame1" << QPoint(300, 60) << "Frame1" << int(Qt::RightButton) << false;
        for (const char* label :
             {"lblLicenseTo", "lblProductName", "lblPlatform", "lblVersion", "lblWarning"}) {
            QTest::newRow(label) << label << centre << label << left << false;
        }
        QTest::newRow("lblVersion, last character")
            << "lblVersion" << QPoint(-2, 5) << "lblVersion" << left << false;
        QTest::newRow("imgLogo") << "imgLogo" << centre << "imgLogo" << left << false;
        QTest::newRow("imgLogo, left edge")
            << "imgLogo" << QPoint(1, 150) << "imgLogo" << left << false;
        QTest::newRow("margin, top left")
            << "frmSplash" << QPoint(3, 3) << "frmSplash" << left << false;
        QTest::newRow("margin, right")
            << "frmSplash" << QPoint(487, 140) << "frmSplash" << left << false;
        QTest::newRow("margin, bottom")
            << "frmSplash" << QPoint(250, 281) << "frmSplash" << left << false;
    }
    void clicks() {
        QFETCH(QString, on);
        QFETCH(QPoint, point);
        QFETCH(QString, hits);
        QFETCH(int, button);
        QFETCH(bool, handsOver);
        QWidget* target = on == "frmSplash" ? splash.data() : Child(on);
        QVERIFY(target);
        if (point == QPoint(-1, -1)) {
            point = target->rect().center();
        } else if (point.x() < 0) {
            point.rx() += target->width();
        }
        const QPoint at = target->mapTo(splash.data(), point);
        QWidget* found = splash->childAt(at);
        QCOMPARE(found ? found->objectName() : QStringLiteral("frmSplash"), hits);

        QTest::mouseClick(splash->windowHandle(), Qt::MouseButton(button), {}, at);
        if (handsOver) {
            VerifyHandedOver();
        } else {
            VerifyStillSplash();
        }
    }

    // A click is a press and a release on the frame; the widget pressed on
    // holds the mouse until the button goes up.
    void pressHereReleaseThere_data() {
        QTest::addColumn<QString>("pressOn");
        QTest::addColumn<QPoint>("pressAt");
        QTest::addColumn<QString>("releaseOn");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<bool>("handsOver");
        const QPoint free(300, 60), inLabel(5, 5), inMargin(3, 3);
        QTest::newRow("frame to label") << "Frame1" << free << "lblProductName" << inLabel << true;
        QTest::newRow("label to frame") << "lblProductName" << inLabel << "Frame1" << free << false;
        QTest::newRow("frame to margin") << "Frame1" << free << "frmSplash" << inMargin << false;
        QTest::newRow("margin to frame") << "frmSplash" << inMargin << "Frame1" << free << false;
    }
    void pressHereReleaseThere() {
        QFETCH(QString, pressOn);
        QFETCH(QPoint, pressAt);
        QFETCH(QString, releaseOn);
        QFETCH(QPoint, releaseAt);
        QFETCH(bool, handsOver);
        auto at = [this](const QString& on, QPoint p) {
            QWidget* w = on == "frmSplash" ? splash.data() : Child(on);
            return w->mapTo(splash.data(), p);
        };
        const QPoint press = at(pressOn, pressAt), release = at(releaseOn, releaseAt);
        // A hand-over already on the press would take the window away.
        QPointer<QWindow> window = splash->windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, press);
        if (window) {
            QTest::mouseMove(window, release);
            QTest::mouseRelease(window, Qt::LeftButton, {}, release);
        }
        if (handsOver) {
            VerifyHandedOver();
        } else {
            VerifyStillSplash();
        }
    }

    void keysQueuedBeforeTheUnloadHandOverOnce() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::postEvent(
                splash, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
        }
        QCoreApplication::sendPostedEvents(splash, QEvent::KeyPress);
        VerifyHandedOver();
    }

    void doubleClickHandsOverOnce() {
        const QPoint at = Child("Frame1")->mapTo(splash.data(), QPoint(300, 60));
        QTest::mouseDClick(splash->windowHandle(), Qt::LeftButton, {}, at);
        VerifyHandedOver();
    }

    // Qt reports the last window closed only while the application runs its
    // event loop, so the hand-over and the close run inside exec().
    void closingTheMainWindowEndsTheProgram() {
        QVERIFY(QApplication::quitOnLastWindowClosed());
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        int afterHandOver = -1;
        QPointer<frmmain> main;
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                QTest::keyClick(splash->windowHandle(), Qt::Key_Space);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                afterHandOver = int(lastClosed.count());
                if (!MainWindows().isEmpty()) {
                    main = MainWindows().front();
                    main->close();
                }
                QCoreApplication::exit(0);
            },
            Qt::QueuedConnection);
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(afterHandOver, 0);  // hiding the splash on the way ends nothing
        QCOMPARE(lastClosed.count(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(main.isNull());  // and the window goes with it
    }

    // The raised dialog border is painted by the splash itself, on any platform.
    void border_data() {
        QTest::addColumn<QPoint>("at");  // negative: from the right or bottom edge
        QTest::addColumn<int>("role");
        QTest::newRow("top, outer") << QPoint(200, 0) << int(QPalette::Button);
        QTest::newRow("top, inner") << QPoint(200, 1) << int(QPalette::Light);
        QTest::newRow("left, inner") << QPoint(1, 100) << int(QPalette::Light);
        QTest::newRow("bottom, outer") << QPoint(200, -1) << int(QPalette::Shadow);
        QTest::newRow("bottom, inner") << QPoint(200, -2) << int(QPalette::Dark);
        QTest::newRow("right, outer") << QPoint(-1, 100) << int(QPalette::Shadow);
        QTest::newRow("right, inner") << QPoint(-2, 100) << int(QPalette::Dark);
        QTest::newRow("right, face") << QPoint(-3, 100) << int(QPalette::Button);
    }
    void border() {
        QFETCH(QPoint, at);
        QFETCH(int, role);
        const QImage shot = splash->grab().toImage();
        const QPoint p((at.x() + shot.width()) % shot.width(),
                       (at.y() + shot.height()) % shot.height());
        QCOMPARE(shot.pixelColor(p).name(),
                 splash->palette().color(QPalette::ColorRole(role)).name());
    }

    // The main window opens under the pointer: the rest of the double-click
    // that handed over must not press the pattern button lying there.
    void clickAfterTheHandOver_data() {
        QTest::addColumn<int>("after");  // ms from the hand-over click to the next press
        QTest::addColumn<bool>("reaches");
        QTest::newRow("rest of a double-click") << 100 << false;
        QTest::newRow("a new click") << QApplication::doubleClickInterval() + 1 << true;
    }
    void clickAfterTheHandOver() {
        QFETCH(int, after);
        QFETCH(bool, reaches);
        QTest::mouseClick(splash->windowHandle(), Qt::LeftButton, {},
                          Child("Frame1")->mapTo(splash.data(), QPoint(300, 60)));
        VerifyHandedOver();
        frmmain* main = MainWindows().front();
        auto* chk4p = main->findChild<QAbstractButton*>("chk4p");
        // QTest spaces its clicks by more than a double-click; take that back.
        QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
        QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {},
                          chk4p->mapTo(main, chk4p->rect().center()), after);
        QCOMPARE(chk4p->isChecked(), reaches);
    }

    // frmmain is built in the idle time after the splash's first paint; a key
    // that comes first builds it itself, and the queued build then does nothing.
    void keyBeforeTheMainWindowIsBuiltHandsOverOnce() {
        delete splash;  // one not painted yet
        splash = new frmSplash;
        splash->show();
        splash->grab();  // its first paint queues the build
        QVERIFY(MainWindows().isEmpty());
        QTest::sendKeyEvent(QTest::Click, splash->windowHandle(), Qt::Key_A, "a", {});
        QCoreApplication::sendPostedEvents();
        VerifyHandedOver();
    }
};

QTEST_MAIN(SplashTest)
#include "test_splash.moc"
