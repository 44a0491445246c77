// The main window's places and sizes as a user meets them: what it opens
// with, the pattern buttons and the size each leaves, the border dragged, and
// a maximize or full screen a window manager makes all the same.
#include <QFontDatabase>
#include <QFontInfo>
#include <QWindow>

#include "windowgeometry.h"
#include "windowtest.h"

namespace win = plovatrix::win;

class GeometryTest : public WindowTest {
    Q_OBJECT

private slots:
    void opensCompact() {
        // Placed where it can grow to the full size unmoved: centred, or at the
        // top left where it does not fit.
        for (const auto& [available, at] : {QPair<QRect, QPoint>{{0, 0, 1024, 768}, {35, 69}},
                                            {{1920, 32, 1400, 940}, {2143, 187}},
                                            {{0, 24, 1000, 600}, {23, 24}}}) {
            QCOMPARE(plovatrix::win::OpeningPosition(available, {954, 630}), at);
        }
        QCOMPARE(form->windowTitle(), QString("Plovatrix"));
        QVERIFY(!shown("frame4") && !shown("Frame5"));
        // The faces we ship with the package where they are installed; whole texts on any.
        for (const auto& [name, face] :
             {std::pair("lbla", "Liberation Sans"), {"noma1", "Comic Neue"}}) {
            QVERIFY(w<QLabel>(name)->sizeHint().width() <= w(name)->width());
            const QString family = QFontInfo(w(name)->font()).family();
            if (!QFontDatabase::hasFamily(face)) {
                qInfo("%s is not installed: %s shows in %s", face, name, qPrintable(family));
            } else {
                QCOMPARE(family, QString(face));
            }
        }
    }

    // Each click on a pattern button and the button left down after it: its
    // strip shown, its face painted red, the window's width to match.
    void patternButtons() {
        form->showMaximized();  // as a window manager may do all the same
        // The button clicked, and the one left down: none after a second click.
        const std::pair<QString, QString> steps[] = {{"chk4p", "chk4p"}, {"chk5p", "chk5p"},
                                                     {"chk5p", ""},      {"chk5p", "chk5p"},
                                                     {"chk4p", "chk4p"}, {"chk4p", ""}};
        for (const auto& [clicked, down] : steps) {
            click(w(clicked));
            QVERIFY(!form->isMaximized());
            for (const auto& [name, strip] : {std::pair("chk4p", "frame4"), {"chk5p", "Frame5"}}) {
                auto* button = w<QAbstractButton>(name);
                const QImage face = button->grab().toImage();
                QCOMPARE(button->isChecked(), down == name);
                QCOMPARE(shown(strip), down == name);
                QCOMPARE(face.pixelColor(6, button->height() / 2) == Qt::red, down == name);
                // Sunken while it is down: shaded at the top left, lit when raised.
                QCOMPARE(face.pixel(0, 0),
                         button->palette()
                             .color(down == name ? QPalette::Shadow : QPalette::Light)
                             .rgb());
            }
            QCOMPARE(size(), down.isEmpty() ? QSize(171, 158) : QSize(954, 158));
        }
    }

    // The border may be dragged in every size; each handler sets its designed
    // outer size exactly again, the top-left corner kept, also where the
    // compositor then restates the size it had seen (as it does with the
    // activation after a box); a maximize or full screen the window manager
    // makes all the same is undone at once, back to the size and corner the
    // window had.
    void sizeRule_data() {
        QTest::addColumn<QStringList>("steps");  // a button, or an analysis that matches or not
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QSize>("seen");  // restated by the compositor; none: the user drags
        QTest::addColumn<Qt::WindowState>("asked");
        const auto row = [](const char* steps, QSize outer, QSize seen, Qt::WindowState asked) {
            QTest::newRow(*steps ? steps : "opened")
                << QString(steps).split(' ', Qt::SkipEmptyParts) << outer << seen << asked;
        };
        // Before each step the user drags the border by 40x30.
        row("", {171, 158}, {}, Qt::WindowMaximized);
        row("chk4p", {954, 158}, {211, 188}, Qt::WindowFullScreen);
        row("chk4p match", {954, 630}, {}, Qt::WindowMaximized);
        row("chk4p match nomatch", {954, 158}, {954, 630}, Qt::WindowFullScreen);  // under the box
        row("chk4p match chk5p", {954, 158}, {994, 660}, Qt::WindowMaximized);
        row("chk4p chk4p", {171, 158}, {994, 188}, Qt::WindowFullScreen);
    }
    void sizeRule() {
        QFETCH(QStringList, steps);
        QFETCH(QSize, outer);
        QFETCH(QSize, seen);
        QFETCH(Qt::WindowState, asked);
        const QPoint corner = form->frameGeometry().topLeft();
        const QSize dragged(40, 30);
        for (const QString& step : steps) {
            form->resize(form->size() + dragged);
            if (step.endsWith("match")) {
                analyze({"1.3000", "1.2000", step == "match" ? "1.2618" : "1.2388"});
            } else {
                click(w(step));
            }
        }
        QCOMPARE(form->frameGeometry(), QRect(corner, outer));
        // An outer size as a configure brings it to the platform window.
        const auto configure = [this](QSize sent) {
            QSignalSpy wide(form->windowHandle(), &QWindow::widthChanged);
            QSignalSpy tall(form->windowHandle(), &QWindow::heightChanged);
            form->windowHandle()->resize(sent - size() + form->size());
            QTRY_VERIFY(wide.size() + tall.size() > 0);
            QCoreApplication::processEvents();
        };
        if (seen.isValid()) {
            configure(seen);
            QCOMPARE(form->frameGeometry(), QRect(corner, outer));
        }
        configure(outer + dragged);
        QCOMPARE(size(), outer + dragged);  // nothing holds the size
        QSignalSpy states(form->windowHandle(), &QWindow::windowStateChanged);
        form->windowHandle()->setWindowState(asked);  // as a window manager does it
        // Made, then undone.
        QTRY_VERIFY(states.size() > 1 && !states.last().first().value<Qt::WindowState>());
        QCOMPARE(form->windowState(), Qt::WindowNoState);
        QTRY_COMPARE(form->frameGeometry(), QRect(corner, outer + dragged));
    }

    // The compact window and the strip show no part of a result panel, with
    // the classic frame or none the client can measure (a compositor's own);
    // a window without one shows the design's client area.
    void noPanelInTheSmallSizes_data() {
        QTest::addColumn<QSize>("frame");
        QTest::newRow("no frame known") << QSize(0, 0);
        QTest::newRow("the classic frame") << QSize(9, 43);
    }
    void noPanelInTheSmallSizes() {
        QFETCH(QSize, frame);
        if (frame.isNull()) {
            form = std::make_unique<frmmain>();
            form->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);  // the platform draws none
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        }
        // The design's client areas inside the classic frame.
        for (const auto& [step, outer, client] :
             {std::tuple("", QSize(2565, 2370), QSize(162, 115)),
              {"chk4p", {14310, 2370}, {945, 115}}}) {
            if (*step) {
                click(w(step));
            }
            QCOMPARE(win::ClientArea(outer, frame), client);
            if (frame.isNull()) {
                QCOMPARE(form->size(), client);
            }
            for (const char* panel : {"pic1", "pic2"}) {
                QVERIFY2(!QRect(QPoint(), client).intersects(w(panel)->geometry()), panel);
                QVERIFY(!frame.isNull() || w(panel)->visibleRegion().isEmpty());
            }
        }
    }
};

QTEST_MAIN(GeometryTest)
#include "test_geometry.moc"
