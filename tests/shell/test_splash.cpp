// The splash window as the user meets it: what it shows and paints, which keys
// and clicks hand over to the main window, and that the hand-over happens once.
#include <QAbstractButton>
#include <QAccessible>
#include <QFontDatabase>
#include <QLabel>
#include <QPointer>
#include <QScreen>

#include "frmmain.h"
#include "frmsplash.h"
#include "product.h"
#include "startup.h"
#include "ui.h"

namespace {

// clang-format off
// A key, its modifiers and the text the platform reports with it: a key that
// types a character hands over; editing keys, Delete among them, do not.
const struct { const char* name; int key, modifiers; const char* text; } Keys[] = {
    {"a", Qt::Key_A, 0, "a"}, {"Shift+Z", Qt::Key_Z, Qt::ShiftModifier, "Z"}, {"Enter", Qt::Key_Return, 0, "\r"},
    {"Escape", Qt::Key_Escape, 0, "\x1b"}, {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, "\x03"},
    {"Left", Qt::Key_Left, 0, ""}, {"Delete", Qt::Key_Delete, 0, "\x7f"}, {"Shift", Qt::Key_Shift, 0, ""},
};
// A left click on the frame hands over: the press and the release both on it.
// Labels, the logo and the margin take no click. Points (0,0): the centre.
const QPoint Free(300, 60), Margin(3, 3), In(5, 5);
const struct { const char *name, *pressOn; QPoint pressAt; const char* releaseOn; QPoint releaseAt; bool right, handsOver; } Clicks[] = {
    {"frame", "Frame1", Free, "Frame1", Free, false, true},
    {"frame border", "Frame1", {0, 100}, "Frame1", {0, 100}, false, true},
    {"Line1", "Line1", {}, "Line1", {}, false, true},
    {"right button", "Frame1", Free, "Frame1", Free, true, false},
    {"lblProductName", "lblProductName", {}, "lblProductName", {}, false, false},
    {"imgLogo", "imgLogo", {}, "imgLogo", {}, false, false},
    {"margin", "frmSplash", Margin, "frmSplash", Margin, false, false},
    {"frame to label", "Frame1", Free, "lblProductName", In, false, true},
    {"label to frame", "lblProductName", In, "Frame1", Free, false, false},
    {"frame to margin", "Frame1", Free, "frmSplash", Margin, false, false},
};
// clang-format on

// One row of the test data for each row of a table, by its name.
template <typename Row, std::size_t N>
void Rows(const Row (&table)[N]) {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i) {
        QTest::newRow(table[i].name) << int(i);
    }
}

}  // namespace

class SplashTest : public QObject {
    Q_OBJECT

    std::unique_ptr<plovatrix::app::StartUp> startUp;
    QPointer<frmSplash> splash;

    static QList<frmmain*> Mains() {
        QList<frmmain*> mains;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* main = qobject_cast<frmmain*>(w)) {
                mains << main;
            }
        }
        return mains;
    }
    QWidget* child(const QString& name) {
        return name == "frmSplash" ? splash.data() : ui::Find(splash.data(), name);
    }
    // After the splash's deferred unload: either it is still the one window,
    // or exactly one main window is open and nothing else.
    void verify(bool handedOver) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList visible;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) {
                visible << w->objectName();
            }
        }
        QCOMPARE(Mains().size(), 1);  // built ahead, hidden, once
        QCOMPARE(splash.isNull(), handedOver);
        QCOMPARE(visible, QStringList(handedOver ? "frmmain" : "frmSplash"));
    }

private slots:
    void init() {
        startUp = std::make_unique<plovatrix::app::StartUp>(*qApp);
        splash = startUp->splash();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QTRY_COMPARE(Mains().size(), 1);  // built, hidden, in the idle time after the paint
    }
    void cleanup() {
        startUp.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }

    // Each text whole in the frame, in its ink; the logo's
    // dark tile filling its box; the window fixed and centred.
    void shows() {
        QCOMPARE(QGuiApplication::desktopFileName(), QLatin1String(plovatrix::app::AppId));
        QCOMPARE(splash->contentsRect().size(), QSize(492, 283));
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash->minimumSize(), splash->maximumSize());
        // A screen reader announces a named window, its logo named too.
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(splash);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name) + ", " + window->text(QAccessible::Description),
                 QString("Plovatrix Version 1.0.0, press a key or click to continue"));
        QVERIFY(!QAccessible::queryAccessibleInterface(child("imgLogo"))
                     ->text(QAccessible::Name)
                     .isEmpty());
        const QPoint off =
            splash->frameGeometry().center() - splash->screen()->availableGeometry().center();
        QVERIFY2(qAbs(off.x()) <= 4 && qAbs(off.y()) <= 4, "not centred on the screen");
        const QImage image = splash->grab().toImage();
        const QColor theme = QApplication::palette().color(QPalette::WindowText);
        // clang-format off
        const struct { const char *name, *text; QColor ink; qreal points; bool bold; } texts[] = {
            {"lblVersion", "Version 1.0.0", theme, 12, true}, {"lblProductName", "Plovatrix", theme, 18, true},
            {"lblPlatform", "Platform", theme, 14.25, true},
            {"lblLicenseTo", "Designed by : Plovatrix developers", Qt::black, 9.75, false},
            {"lblWarning", "E-mail : support@plovatrix.example", QColor(0, 0, 255), 9.75, false}};
        // clang-format on
        for (const auto& t : texts) {
            auto* label = qobject_cast<QLabel*>(child(t.name));
            QCOMPARE(label->text(), QString(t.text));
            // Arial's metric twin where it is installed, at the designed size on any face.
            const QFontInfo font(label->font());
            QVERIFY(font.pointSizeF() == t.points && font.bold() == t.bold);
            if (QFontDatabase::hasFamily("Liberation Sans")) {
                QCOMPARE(font.family(), QString("Liberation Sans"));
            }
            QVERIFY2(label->sizeHint().width() <= label->width(), t.name);  // shown whole
            QVERIFY(child("Frame1")->rect().contains(label->geometry()));
            QVERIFY2(ui::Has(image, QRect(label->mapTo(splash, QPoint()), label->size()), t.ink),
                     t.name);
        }
        // Platform and the longer version text end under each other.
        QCOMPARE(child("lblVersion")->geometry().right(), child("lblPlatform")->geometry().right());
        const QRect logo(child("imgLogo")->mapTo(splash, QPoint()), child("imgLogo")->size());
        for (const QPoint& p : {logo.topLeft() + QPoint(5, 5), logo.bottomRight() - QPoint(5, 5),
                                QPoint(logo.left() + 5, logo.center().y())}) {
            QCOMPARE(image.pixelColor(p), QColor(0x20, 0x24, 0x30));
        }
        // On it the legs, their guides and the letters, each in its own pen, and the
        // six lines of the grid, seen right of the swing.
        QMap<QString, int> inks;
        for (int y = logo.top(); y <= logo.bottom(); ++y) {
            for (int x = logo.left(); x <= logo.right(); ++x) {
                const bool grid = x == logo.left() + logo.width() * 2270 / 2415 &&
                                  y < logo.top() + logo.height() * 2900 / 2985 &&
                                  image.pixelColor(x, y) != QColor(0x20, 0x24, 0x30) &&
                                  image.pixelColor(x, y - 1) == QColor(0x20, 0x24, 0x30);
                ++inks[grid ? "grid" : image.pixelColor(x, y).name()];
            }
        }
        QVERIFY(inks["grid"] == 6 && inks["#ff3030"] > 100 && inks["#ffffc0"] > 50 &&
                inks["#ffffff"] > 20);
        // The raised dialog border, painted by the splash itself on any platform:
        // lit at the top left, shaded at the bottom right, then the face.
        const int r = image.width() - 1, b = image.height() - 1;
        const struct {
            QPoint at;
            QPalette::ColorRole role;
        } edge[] = {{{200, 0}, QPalette::Button},   {{200, 1}, QPalette::Light},
                    {{1, 100}, QPalette::Light},    {{200, b}, QPalette::Shadow},
                    {{200, b - 1}, QPalette::Dark}, {{r, 100}, QPalette::Shadow},
                    {{r - 1, 100}, QPalette::Dark}, {{r - 2, 100}, QPalette::Button}};
        for (const auto& e : edge) {
            QCOMPARE(image.pixelColor(e.at).rgb(), splash->palette().color(e.role).rgb());
        }
    }

    void keys_data() { Rows(Keys); }
    void keys() {
        QFETCH(int, row);
        const QString text = QString::fromLatin1(Keys[row].text);
        QTest::sendKeyEvent(QTest::Click, splash->windowHandle(), Qt::Key(Keys[row].key), text,
                            Qt::KeyboardModifiers(Keys[row].modifiers));
        verify(!text.isEmpty() && text != "\x7f");
    }

    void clicks_data() { Rows(Clicks); }
    void clicks() {
        QFETCH(int, row);
        const auto& c = Clicks[row];
        const auto at = [this](const QString& on, QPoint p) {
            return child(on)->mapTo(splash.data(), p.isNull() ? child(on)->rect().center() : p);
        };
        const Qt::MouseButton button = c.right ? Qt::RightButton : Qt::LeftButton;
        QPointer<QWindow> window = splash->windowHandle();
        QTest::mousePress(window, button, {}, at(c.pressOn, c.pressAt));
        if (window) {  // a hand-over on the press would take the window away
            QTest::mouseMove(window, at(c.releaseOn, c.releaseAt));
            QTest::mouseRelease(window, button, {}, at(c.releaseOn, c.releaseAt));
        }
        verify(c.handsOver);
    }

    // The main window opens under the pointer: the rest of the double-click
    // that handed over must not press the pattern button lying there, and a
    // new click after it must.
    void clickAfterTheHandOver() {
        QTest::mouseClick(splash->windowHandle(), Qt::LeftButton, {},
                          child("Frame1")->mapTo(splash.data(), Free));
        verify(true);
        frmmain* main = Mains().front();
        auto* chk4p = ui::Find<QAbstractButton>(main, "chk4p");
        const QPoint at = chk4p->mapTo(main, chk4p->rect().center());
        // QTest spaces its clicks by more than a double-click; take that back.
        QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
        QTest::mousePress(main->windowHandle(), Qt::LeftButton, {}, at, 100);
        QVERIFY(!chk4p->isDown());
        QTest::mouseRelease(main->windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(!chk4p->isChecked());
        QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {}, at,
                          QApplication::doubleClickInterval() + 1);
        QVERIFY(chk4p->isChecked());
    }

    // frmmain is built in the idle time after the splash's first paint; a key
    // that comes first builds it itself, and the queued build then does nothing.
    void keyBeforeTheMainWindowIsBuilt() {
        startUp.reset();  // for a splash not painted yet
        startUp = std::make_unique<plovatrix::app::StartUp>(*qApp);
        splash = startUp->splash();
        splash->grab();  // its first paint queues the build
        QVERIFY(Mains().isEmpty());
        QTest::sendKeyEvent(QTest::Click, splash->windowHandle(), Qt::Key_A, "a", {});
        QCoreApplication::sendPostedEvents();
        verify(true);
    }
};

QTEST_MAIN(SplashTest)
#include "test_splash.moc"
