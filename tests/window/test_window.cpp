// The main window driven as a user drives it: what it opens with, the pattern
// buttons, the tab order, typing, the check before the focus leaves a field,
// and Analyze with its spinners.
#include <QAccessible>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleFactory>
#include <ranges>

#include "accessibility.h"
#include "formbuilder.h"
#include "frmmain.h"
#include "frmsplash.h"
#include "layout.h"
#include "toolkit.h"
#include "ui.h"
#include "updown.h"
#include "windowgeometry.h"

using plovatrix::win::UpDown;
namespace win = plovatrix::win;
using ui::Key;
using ui::Type;

namespace {

// What a screen reader is told as it is raised: a notice shown, or withdrawn,
// and a new value with what it sets.
QStringList said;
void Hear(QAccessibleEvent* event) {
    QAccessibleInterface* i = event->accessibleInterface();
    QAccessibleTextInterface* text = i->textInterface();
    said << (event->type() == QAccessible::ObjectHide ? QString("hide")
             : text                                   ? text->text(0, text->characterCount())
                                                      : i->text(QAccessible::Name));
}

constexpr QRgb Red = 0xFFFF0000, LightYellow = 0xFFFFFFC0, Black = 0xFF000000, Border = 0,
               Etched = 1;
// A pixel of the colour (Border: the active border, a system colour; Etched: the
// shade of a frame's etched edge) within
// `near` pixels of the point; `n` > 0 widens the row by n each side and asks
// for the background there too (a hatch, a dash).
// clang-format off
const struct Sample { const char *what, *widget; QPoint at; QRgb colour; int near, n; } Samples[] = {
    {"pic1 leg AB", "pic1", {80, 160}, Red, 1, 0}, {"pic1 leg BC", "pic1", {172, 216}, Red, 1, 0},
    {"pic1 leg CD", "pic1", {264, 272}, Red, 1, 0}, {"pic1 PRZ hatch", "pic1", {500, 148}, LightYellow, 8, 1},
    {"pic1 PRZ outline", "pic1", {480, 148}, Red, 1, 0}, {"pic1 divider", "pic1", {360, 100}, Border, 0, 0},
    {"pic1 title rule dashed", "pic1", {520, 248}, Border, 0, 120}, {"pic2 leg AB", "pic2", {80, 256}, Red, 1, 0},
    {"pic2 leg CD", "pic2", {264, 160}, Red, 1, 0}, {"pic2 PRZ hatch", "pic2", {500, 140}, LightYellow, 8, 1},
    {"pic2 divider", "pic2", {680, 100}, Border, 0, 0}, {"frame4 Line34", "frame4", {376, 60}, Black, 0, 0},
    {"frame4 edge through the caption's middle", "frame4", {600, 9}, Etched, 1, 0},
};
// clang-format on

// WCAG relative luminance, plus the 0.05 of flare that contrast ratios add.
double Light(const QColor& c) {
    const auto linear = [](double v) {
        return v <= .04045 ? v / 12.92 : std::pow((v + .055) / 1.055, 2.4);
    };
    return .2126 * linear(c.redF()) + .7152 * linear(c.greenF()) + .0722 * linear(c.blueF()) + .05;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<frmmain> form;
    std::unique_ptr<ui::BoxCloser> boxes;

    template <typename T = QWidget>
    T* w(const QString& name) {
        return ui::Find<T>(form.get(), name);
    }
    QString label(const char* name) { return w<QLabel>(name)->text(); }
    QSize size() const { return form->frameGeometry().size(); }
    bool shown(const char* name) { return w(name)->isVisibleTo(form.get()); }
    void click(QWidget* target) { ui::Click(form.get(), target); }
    QWidget* focus() { return QApplication::focusWidget(); }
    void type(const char* field, const QString& text) {
        click(w(field));
        Key(Qt::Key_Backspace);  // the whole text is selected: clear it
        Type(text);
    }
    // Types A, B, C, the tolerance ("5") and the two counts ("0"), and picks
    // the point size (0.1 0.01 0.001 0.0001) by the keyboard, ending on the list.
    void fill(const QStringList& texts, int point = 3) {
        const char* fields[] = {"txta4", "txtb4", "txtc4", "txttol4", "txtab4", "txtbc4"};
        for (int i = 0; i < 6; ++i) {
            type(fields[i], texts.value(i, i == 3 ? "5" : "0"));
        }
        click(w("txttol4"));
        Key(Qt::Key_Tab);
        Key(Qt::Key_Home);
        for (int i = 0; i < point; ++i) {
            Key(Qt::Key_Down);
        }
    }
    // A wheel turn over the control, as the platform sends it to the window.
    void wheel(QWidget* over, int delta) {
        const QPointF at = over->mapTo(form.get(), over->rect().center());
        QWheelEvent turn(at, form->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->windowHandle(), &turn);
    }
    void analyze(const QStringList& texts, int point = 3) {
        fill(texts, point);
        click(w("cmdana"));
    }
    // "label=text|...": every result label of a panel as the user reads it.
    void verifyLabels(const QString& expected) {
        for (const QString& pair : expected.split('|')) {
            const QString name = pair.section('=', 0, 0);
            QCOMPARE(name + "=" + label(qPrintable(name)), pair);
        }
    }

private slots:
    void initTestCase() { win::InstallAccessibility(); }
    void init() {
        QAccessible::installUpdateHandler(Hear);
        said.clear();
        form = std::make_unique<frmmain>();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        boxes = std::make_unique<ui::BoxCloser>();
    }
    void cleanup() {
        boxes.reset();
        form.reset();
        QApplication::setPalette(QPalette());  // back to the plain one
        QLocale::setDefault(QLocale::c());
    }

    void opensCompact() {
        QCOMPARE(size(), QSize(171, 158));
        // Placed where it can grow to the full size unmoved: centred, or at the
        // top left where it does not fit.
        for (const auto& [available, at] : {QPair<QRect, QPoint>{{0, 0, 1024, 768}, {35, 69}},
                                            {{1920, 32, 1400, 940}, {2143, 187}},
                                            {{0, 24, 1000, 600}, {23, 24}}}) {
            QCOMPARE(plovatrix::win::OpeningPosition(available, {954, 630}), at);
        }
        QCOMPARE(form->windowTitle(), QString("Plovatrix"));
        QVERIFY(!shown("frame4") && !shown("Frame5"));
        QCOMPARE(w<UpDown>("ud1")->value(), 5);
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
        // Every control sits in the window, none stray outside it.
        for (QWidget* top : QApplication::topLevelWidgets()) {
            QVERIFY2(top == form.get() || top->objectName().isEmpty(),
                     qPrintable(top->objectName()));
        }
    }

    // Each click on a pattern button and the button left down after it: its
    // strip shown, its face painted red, the window's width to match.
    void patternButtons() {
        form->showMaximized();  // as a window manager may do all the same
        for (const QString& step : QString("4:4 5:5 5: 5:5 4:4 4:").split(' ')) {
            click(w(QString("chk%1p").arg(step[0])));
            QVERIFY(!form->isMaximized());
            for (const QString n : {"4", "5"}) {
                auto* button = w<QAbstractButton>("chk" + n + "p");
                const QColor face = button->grab().toImage().pixelColor(6, button->height() / 2);
                QCOMPARE(button->isChecked(), step.endsWith(n));
                QCOMPARE(shown(n == "4" ? "frame4" : "Frame5"), step.endsWith(n));
                QCOMPARE(face == QColor(255, 0, 0), step.endsWith(n));
            }
            QCOMPARE(size(), step.endsWith(':') ? QSize(171, 158) : QSize(954, 158));
        }
        // A theme that changes the button face alone, which only the window hears of.
        QPalette theme = QApplication::palette();
        theme.setColor(QPalette::Button, QColor(0x80, 0x80, 0x90));
        QApplication::setPalette(theme);
        QTRY_COMPARE(w("chk5p")->palette().color(QPalette::Button), QColor(0x80, 0x80, 0x90));
    }

    // The border may be dragged in every size; each handler sets its designed
    // outer size exactly again, the top-left corner kept, also where the
    // compositor then restates the size it had seen (as it does with the
    // activation after a box); a maximize or full screen the window manager
    // makes all the same is undone at once, back to the size and corner the
    // window had.
    void sizeRule_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QSize>("seen");  // restated by the compositor; none: the user drags
        QTest::addColumn<Qt::WindowState>("asked");
        const auto row = [](const char* steps, QSize outer, QSize seen, Qt::WindowState asked) {
            QTest::newRow(*steps ? steps : "opened") << QString(steps) << outer << seen << asked;
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
        QFETCH(QString, steps);
        QFETCH(QSize, outer);
        QFETCH(QSize, seen);
        QFETCH(Qt::WindowState, asked);
        const QPoint corner = form->frameGeometry().topLeft();
        const QSize dragged(40, 30);
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
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

    // What a user types shows whole in any widget style; where the style's
    // frame and padding leave too little room, the field draws the classic
    // ones. The tolerance keeps its designed width: two digits whole.
    void typedTextsWhole_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("classic");  // the fields draw the classic frame
        QTest::newRow("Fusion") << "Fusion" << false;
        QTest::newRow("Windows") << "Windows" << false;
        QTest::newRow("Adwaita") << "Adwaita" << true;
        QTest::newRow("Adwaita-Dark") << "Adwaita-Dark" << true;
    }
    void typedTextsWhole() {
        QFETCH(QString, style);
        QFETCH(bool, classic);
        if (!QStyleFactory::keys().contains(style, Qt::CaseInsensitive)) {
            QSKIP("style not installed");
        }
        const auto restore = qScopeGuard(
            [before = QApplication::style()->name()] { QApplication::setStyle(before); });
        QApplication::setStyle(style);
        form = std::make_unique<frmmain>();  // polished by it
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        click(w("chk4p"));
        const QStringList prices{"1950.5", "1900.0", "1931.2", "38500", "151.50", "1.0850"};
        QStringList cut;
        for (const auto& [field, texts] : {std::pair("txta4", prices),
                                           {"txtb4", prices},
                                           {"txtc4", prices},
                                           {"txtab4", {"1000"}},
                                           {"txtbc4", {"1000"}},
                                           {"txttol4", {"50"}}}) {
            auto* box = w<QLineEdit>(field);
            QCOMPARE(box->hasFrame(), !classic);
            for (const QString& text : texts) {
                type(field, text);
                box->clearFocus();  // no caret; the text scrolled as typing left it
                const QImage shown = box->grab().toImage();
                box->setText(QString());
                const QImage empty = box->grab().toImage();
                int from = shown.width(), to = -1;  // the columns the text inks
                for (int x = 0; x < shown.width(); ++x) {
                    for (int y = 0; y < shown.height(); ++y) {
                        if (shown.pixel(x, y) != empty.pixel(x, y)) {
                            from = std::min(from, x);
                            to = std::max(to, x);
                        }
                    }
                }
                if (to - from + 2 < QFontMetrics(box->font()).boundingRect(text).width()) {
                    cut << QString("%1 %2").arg(field, text);
                }
            }
        }
        QCOMPARE(cut, QStringList());
    }

    // Tab walks each strip in its order; the 4-point fields select their text
    // as the focus arrives, the 5-point boxes never do, either way round.
    void tabOrder() {
        click(w("chk4p"));
        for (const char* name : {"txta4", "txtb4", "txtc4"}) {
            w<QLineEdit>(name)->setText("1");  // acceptable, so the focus may leave
        }
        // At the strip size Tab skips what lies below the window's edge; at the
        // full size the panel's spinner and box join in. Shift+Tab walks back.
        const QString strip =
            "chk4p chk5p txta4 txtb4 txtc4 txttol4 cmbpoint cmdana txtab4 txtbc4 ";
        for (const QString& cycle : {strip + "chk4p", strip + "ud1 txtts1 chk4p"}) {
            if (cycle.contains("ud1")) {
                analyze({"1.3000", "1.2000", "1.2618"});
                w("chk4p")->setFocus();
            }
            for (Qt::Key k : {Qt::Key_Tab, Qt::Key_Backtab}) {
                QStringList walk{focus()->objectName()};
                while (walk.size() < cycle.count(' ') + 1) {
                    Key(k);
                    walk.insert(k == Qt::Key_Tab ? walk.size() : 0, focus()->objectName());
                    auto* box = qobject_cast<QLineEdit*>(focus());
                    QVERIFY(!box || box->isReadOnly() || box->selectedText() == box->text());
                }
                QCOMPARE(walk.join(' '), cycle);
            }
        }
        click(w("chk5p"));
        const QStringList five =
            QString("cmdana5 Text7 Text8 Text10 Text13 Text14 Text12 Text11 Text9").split(' ');
        w(five[0])->setFocus(Qt::TabFocusReason);
        for (int i = 1; i < 2 * five.size() - 2; ++i) {  // there and back
            const int at = i < five.size() ? i : 2 * five.size() - 2 - i;
            Key(i < five.size() ? Qt::Key_Tab : Qt::Key_Backtab);
            QCOMPARE(focus()->objectName(), five[at]);
            QVERIFY(!w<QLineEdit>(five[at])->hasSelectedText());
        }
    }

    void typing() {
        // The 5-point boxes take anything; the strip does nothing with it.
        click(w("chk5p"));
        click(w("Text12"));
        Key(Qt::Key_A, Qt::ControlModifier);
        Type("abc,?!x");
        QCOMPARE(w<QLineEdit>("Text12")->text(), QString("abc,?!"));
        click(w("cmdana5"));
        click(w("chk4p"));
        w<QLineEdit>("txtb4")->setText("1.2154");
        click(w("txta4"));
        QCOMPARE(w<QLineEdit>("txta4")->selectedText(), QString("0"));
        Type("1234567");  // six characters at most
        QCOMPARE(w<QLineEdit>("txta4")->text(), QString("123456"));
        Key(Qt::Key_Tab);
        QCOMPARE(w<QLineEdit>("txtb4")->selectedText(), QString("1.2154"));
        QStringList echoes;
        for (const char* c : {"1", ".", "2", "x"}) {
            Type(c);
            echoes << label("lblb4");
        }
        QCOMPARE(echoes, QStringList({"1", "1.", "1.2", "1.2x"}));
        QVERIFY(boxes->seen.isEmpty());
    }

    // Bad texts in each field, each way of leaving: the warning, and the focus
    // stays with the whole text selected. Acceptable texts let the focus go.
    void leavingAField_data() {
        QTest::addColumn<QString>("row");  // field|text|way of leaving|refused
        const char* fields[] = {"txta4", "txtb4", "txtc4", "txtab4", "txtbc4", "txttol4"};
        const char* bad[] = {"", "abc", "12abc", "1.2.3", "-1", "1,2", " ", "1e3"};
        const char* leaves[] = {"cmdana", "tab",      "backtab", "alt+a",
                                "chk5p",  "cmbpoint", "txtc4",   "ud1"};
        QStringList rows;
        for (int n = 0; n < 48; ++n) {
            rows << QString("%1|%2|%3|1").arg(fields[n / 8], bad[n % 8], leaves[n % 8]);
        }
        // clang-format off
        rows << QString("txta4|0|cmdana|1 txtb4|0|cmdana|1 txtc4|0|cmdana|1 txta4|-0|tab|1 txtb4|-0|tab|1 "
                        "txtc4|-0|tab|1 txtb4|_1.5|tab|0 txtab4|0|tab|0 txtbc4|2.5|tab|0 txttol4|.5|tab|0").split(' ');
        // clang-format on
        for (QString& row : rows) {
            QTest::newRow(qPrintable(row)) << row.replace('_', ' ');
        }
    }
    void leavingAField() {
        QFETCH(QString, row);
        const QString field = row.section('|', 0, 0), text = row.section('|', 1, 1);
        const QString leave = row.section('|', 2, 2);
        const bool refused = row.endsWith('1');
        click(w("chk4p"));
        auto* box = w<QLineEdit>(field);
        type(qPrintable(field), text);
        if (leave == "tab" || leave == "backtab") {
            Key(leave == "tab" ? Qt::Key_Tab : Qt::Key_Backtab);
        } else if (leave == "alt+a") {
            Key(Qt::Key_A, Qt::AltModifier);
        } else if (leave == "txtc4") {
            click(w(field == "txtc4" ? "txta4" : "txtc4"));
        } else if (leave == "ud1" && field != "txttol4") {
            form->setFixedSize(954, 630);  // the spinners are out of view at the strip size
            click(w<UpDown>("ud1")->upArrow());
        } else {
            click(w(leave == "ud1" ? "cmdana" : leave));
        }
        QTRY_COMPARE(focus() == box, refused);  // once the box has handed the focus back
        if (!refused) {
            QVERIFY(boxes->seen.isEmpty());
            return;
        }
        QCOMPARE(box->selectedText(), text);
        // Nothing of the move happened, and each attempt warns again.
        QVERIFY(!w<QAbstractButton>("chk5p")->isChecked() && w<UpDown>("ud1")->value() == 5);
        QVERIFY(w<QComboBox>("cmbpoint")->currentIndex() == -1);
        QVERIFY(size().height() == 158 || leave == "ud1");
        Key(Qt::Key_Tab);
        QCOMPARE(boxes->seen, QStringList(2, "Warning: Wrong Dtat Entry... (critical)"));
    }

    // Analyze shows a direction's panel; its spinner moves the stop from D.
    void analyzeAndTheStopSpinners() {
        click(w("chk4p"));
        click(w("cmdana"));  // every field still "0": the focus goes to A, silently
        QCOMPARE(focus(), w("txta4"));
        analyze({"1.3000", "1.2000", "1.2618", "5", "3", "2"});
        QCOMPARE(size(), QSize(954, 630));
        QVERIFY(shown("pic1") && !shown("pic2") && !shown("noma1"));
        verifyLabels(
            "lbla=1.3000|lblb=1.2000|lblc=1.2618|legab(0)=1000|legbc(0)=618|zarib(0)=0.618|"
            "lblfib1= .618( .618)|lblfib2=Should be: 1.618|lblabcd= 1.618BC@ 1.1618|"
            "lblofbc=AB=CD@ 1.1618|sl1=1.1613|tp1=1.2236|tp2=1.2472|lblcan1=3|lblcan2=2|"
            "lbltfib=0.667|lblcan3=Should be: 3|lblt2=Should be: 3 Candle(s)");
        QCOMPARE(form->PriceD(), 1.1618);
        auto* ud1 = w<UpDown>("ud1");
        // The wheel over either arrow, unfocused: a step a notch, each a change
        // of its own; a touchpad's half notches add up.
        QSignalSpy changes(ud1, &UpDown::Change);
        QStringList stops;
        for (const int delta : {240, -120, 60, 60}) {
            wheel(delta > 0 ? ud1->upArrow() : ud1->downArrow(), delta);
            stops << label("sl1");
        }
        QCOMPARE(changes.count(), 4);
        for (int i = 0; i < 3; ++i) {
            click(ud1->upArrow());
            stops << label("sl1");
        }
        QCOMPARE(stops.join(' '), QString("1.1611 1.1612 1.1612 1.1611 1.161 1.1609 1.1608"));
        QCOMPARE(label("sl2"), QString("1.9999"));  // the other panel is untouched
        QCOMPARE(focus(), ud1);                     // the arrows' click gave it the focus
        Key(Qt::Key_Down);
        QCOMPARE(w<QLineEdit>("txtts1")->text(), QString("9"));
        ud1->setValue(1);
        for (int i = 0; i < 3; ++i) {
            click(ud1->downArrow());
        }
        QCOMPARE(w<QLineEdit>("txtts1")->text(), QString("0"));
        QCOMPARE(label("sl1"), QString("1.1618"));  // 0 points: D itself

        analyze({"1.2000", "1.3000", "1.2618", "5", "10", "4"});
        QVERIFY(shown("pic2") && !shown("pic1") && !shown("noma2"));
        verifyLabels(
            "lbla2=1.2000|lblb2=1.3000|lblc2=1.2618|legab(1)=1000|legbc(1)=382|zarib(1)=0.382|"
            "lblfib12= .382( .382)|lblfib22=Should be: 2.24|lblabcd2=AB=CD@ 1.3618|"
            "lblofbc2= 2.24BC@ 1.3474|sl2=1.3623|tp11=1.3|tp22=1.2618|lblcan12=10|lblcan22=4|"
            "lbltfib2=0.4|lblcan32=Should be: 10|lblt22=Should be: 10 Candle(s)");
        QCOMPARE(w("lblt22")->size(), w("lblt22")->sizeHint());  // sized to its new text
        QCOMPARE(w<QLineEdit>("txtts1")->text(), QString("5"));
        click(w<UpDown>("ud2")->upArrow());
        QCOMPARE(label("sl2"), QString("1.3624"));
        click(w("chk5p"));  // the other strip hides the result
        QCOMPARE(size(), QSize(954, 158));
        click(w("chk4p"));
        // Analyze resets both spinners and rewrites the stop, even when a check then fails.
        ud1->setValue(8);
        w<QLineEdit>("txta4")->setText("0");
        click(w("cmdana"));
        QCOMPARE(focus(), w("txta4"));
        QCOMPARE(w<QLineEdit>("txtts1")->text() + w<QLineEdit>("txtts2")->text(), QString("55"));
        QCOMPARE(label("sl2"), QString("1.3623"));
        QVERIFY(boxes->seen.isEmpty());
    }

    void noPatternFound() {
        click(w("chk4p"));
        analyze({"1.3000", "1.2000", "1.2618"});
        analyze({"1.3000", "1.2000", "1.2388"});
        analyze({"1.2000", "1.2000", "1.2618"});  // A = B: no direction at all
        QCOMPARE(boxes->seen, QStringList(2, "Nothing: No Certain Pattern Found"));
        QCOMPARE(size(), QSize(954, 158));
        QTRY_COMPARE(focus(), w("txttol4"));
        QCOMPARE(w<QLineEdit>("txttol4")->selectedText(), QString("5"));
        QCOMPARE(label("lblc"), QString("1.2388"));   // written before the matching
        QCOMPARE(label("lbla2"), QString("1.2154"));  // A = B writes nothing
        QCOMPARE(label("tp1"), QString("1.2236"));    // kept from the match
        QVERIFY(!w("noma1")->isHidden());
        // A user who drags the border down to the full height sees the panel of
        // that analysis; its spinner computes from the earlier D.
        for (const char* name : {"noma1", "legab(0)", "zarib(0)"}) {
            QVERIFY(w(name)->visibleRegion().isEmpty());
        }
        form->resize(form->size() + QSize(0, 630 - 158));
        for (const char* name : {"noma1", "legab(0)", "zarib(0)"}) {
            QVERIFY(!w(name)->visibleRegion().isEmpty());
        }
        click(w<UpDown>("ud1")->upArrow());
        QCOMPARE(label("sl1"), QString("1.1612"));
    }

    // Prices of every size show whole on the shown panel, also once the spinner
    // has rewritten the stop (1899.5 after 1900; 10000.1): each text inside its
    // section and its own box, none on another, a caption moved as its value;
    // a text moves only up to its section's edge, and one that fits (a forex
    // quote) stays where it was placed, also after one that moved.
    void panelTextsFit() {
        click(w("chk4p"));
        const int edges[] = {0, 359, 362, 679, 682, 945};  // either side of the 3-pixel dividers
        // A B C tolerance point(0-3) counts(A-B B-C) spinner-clicks
        for (const QString row :
             {"1950.5 1900.0 1931.2 5 0 0 0 0", "1.3000 1.2000 1.2618 5 3 10 4 0",
              "1900.0 1950.5 1919.3 5 0 0 0 0", "3072.1 2327.1 2787.5 50 0 0 0 0",
              "151.50 150.00 150.93 5 1 999999 123456 0", "38500 39500 38882 5 0 99999 1 0",
              "1969.6 1919.6 1950.5 5 0 0 0 5", "9930.3 9980.3 9949.4 5 0 0 0 2"}) {
            const QStringList f = row.split(' ');
            analyze({f[0], f[1], f[2], f[3], f[5], f[6]}, f[4].toInt());
            QWidget* panel = w(shown("pic1") ? "pic1" : "pic2");
            for (int i = 0; i < f[7].toInt(); ++i) {
                click(panel->findChild<UpDown*>()->upArrow());
            }
            QList<QPair<QString, QRect>> texts;        // of the labels checked so far
            QMap<QString, QPair<QString, int>> value;  // by caption: its value and shift
            for (const win::ControlRow& r : std::views::reverse(win::PanelControls())) {
                auto* label = panel->findChild<QLabel*>(QString::fromUtf8(r.name));
                if (!label || !label->isVisible()) {
                    continue;
                }
                const QString name = label->objectName();
                const int width = QFontMetrics(label->font()).horizontalAdvance(label->text());
                const QRect text = QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                                       {width, label->height()}, label->geometry());
                const int s = r.left < 5400 ? 0 : r.left < 10200 ? 2 : 4;
                const int shift = label->x() - win::Px(r.left);
                const QRect section(edges[s], 0, edges[s + 1] - edges[s], panel->height());
                const QByteArray what = (row + ": " + name + " " + label->text()).toUtf8();
                QVERIFY2(section.contains(text) && label->geometry().contains(text), what);
                QVERIFY2(value.contains(name) ? shift == value[name].second
                                              : shift == 0 || section.right() - text.right() <= 1,
                         what);
                value[QString::fromUtf8(r.caption)] = {name, shift};
                for (const auto& [other, was] : texts) {
                    QVERIFY2(other == value.value(name).first || !was.intersects(text),
                             what + " on " + other.toUtf8());
                }
                texts.append({name, text});
            }
        }
        QVERIFY(boxes->seen.isEmpty());
    }

    // Alt+A from the tolerance field, and Return, keypad Enter or Space on a
    // focused Analyze, click at once: a key typed next neither beats the click
    // nor reaches the field (at tolerance 0 these prices match nothing).
    void keysClickAnalyzeAtOnce_data() {
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("mods");
        QTest::newRow("Alt+A") << int(Qt::Key_A) << int(Qt::AltModifier);
        QTest::newRow("Return") << int(Qt::Key_Return) << 0;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("Space") << int(Qt::Key_Space) << 0;
    }
    void keysClickAnalyzeAtOnce() {
        QFETCH(int, pressed);
        QFETCH(int, mods);
        click(w("chk4p"));
        fill({"1.3000", "1.2000", "1.2620"});
        if (pressed == Qt::Key_A) {
            click(w("txttol4"));
        } else {
            Key(Qt::Key_Tab);
        }
        QSignalSpy clicks(w<QAbstractButton>("cmdana"), &QAbstractButton::clicked);
        Key(Qt::Key(pressed), Qt::KeyboardModifiers(mods));
        Key(Qt::Key_0);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(label("tp1"), QString("1.2237"));
        QCOMPARE(w<QLineEdit>("txttol4")->text(), QString("5"));
        QCOMPARE(focus(), w("cmdana"));
        QVERIFY(boxes->seen.isEmpty());
    }

    // Coming back from another program is no move of the focus: the caret stays.
    void comingBackKeepsTheCaret() {
        click(w("chk4p"));
        type("txta4", "1.2");
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        Type("5");
        QCOMPARE(w<QLineEdit>("txta4")->text(), QString("1.25"));
    }

    // What a screen reader is told, read through the toolkit's own interfaces
    // and heard as it is raised: the window's tree holds only what lies in the
    // window, all of it named but the separators, each focusable control for
    // what it is, not for its value or the text it shows; a control outside
    // the window says it is not showing; a panel's values are read with their
    // captions. Analyze pressed by a reader tells the result; a step of the
    // spinner, by a reader or the wheel over its box, tells the stop it sets.
    void screenReaderView_data() {
        QTest::addColumn<QString>("cs");   // C of each analysis, the last pressed by a reader
        QTest::addColumn<QString>("act");  // then a reader's action on a control, or a wheel notch
        QTest::addColumn<int>("focusable");  // the focusable controls a reader reaches
        QTest::addColumn<QString>("told");   // by the last analysis
        QTest::addColumn<QString>("heard");  // by the action | the box | the focus or a popup
        const QString result =
            "Bullish AB=CD: BUY at Point D 1880.7, ratios 0.618 and 1.618, "
            "stop loss 1880.2, TP1 1911.909, TP2 1923.8364";
        // clang-format off
        QTest::newRow("compact") << "" << "" << 2 << "" << "5|chk4p";
        QTest::newRow("strip") << "" << "cmbpoint SetFocus" << 10 << "" << "5|cmbpoint";
        QTest::newRow("bullish") << "1931.2" << "" << 12 << result << "5|cmbpoint";
        QTest::newRow("up") << "1931.2" << "ud1 Increase" << 12 << result << "hide|6 points, stop loss 1880.1|6|cmbpoint";
        QTest::newRow("down") << "1931.2" << "ud1 Decrease" << 12 << result << "hide|4 points, stop loss 1880.3|4|cmbpoint";
        QTest::newRow("wheel") << "1931.2" << "txtts1 wheel" << 12 << result << "hide|6 points, stop loss 1880.1|6|cmbpoint";
        QTest::newRow("focus") << "1931.2" << "ud1 SetFocus" << 12 << result << "5|ud1";
        QTest::newRow("list") << "1931.2" << "cmbpoint ShowMenu" << 12 << result << "5|popup";
        QTest::newRow("strip after no match") << "1931.2 1922.7" << "" << 10 << "hide" << "5|txttol4";
        // clang-format on
    }
    void screenReaderView() {
        QFETCH(QString, cs);
        QFETCH(QString, act);
        QFETCH(int, focusable);
        QFETCH(QString, told);
        QFETCH(QString, heard);
        if (QTest::currentDataTag() != QString("compact")) {
            click(w("chk4p"));
        }
        const auto reader = [](QWidget* control) {
            return QAccessible::queryAccessibleInterface(control)->actionInterface();
        };
        for (const QString& c : cs.split(' ', Qt::SkipEmptyParts)) {
            fill({"1950.5", "1900.0", c}, 0);
            said.clear();
            QSignalSpy clicks(w<QAbstractButton>("cmdana"), &QAbstractButton::clicked);
            reader(w("cmdana"))->doAction(QAccessibleActionInterface::pressAction());
            QTRY_COMPARE(clicks.count(), 1);
        }
        QCOMPARE(said.join('|'), told);
        const QRect client(form->mapToGlobal(QPoint()), form->size());
        const auto showing = [](QAccessibleInterface* i) {
            return !i->state().invisible && !i->state().offscreen;
        };
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QString("Plovatrix"));
        QStringList named, panel;
        QString announced;
        const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* i) {
            const QString name = i->text(QAccessible::Name);
            QVERIFY2(showing(i) && i->rect().intersects(client), qPrintable(name));
            QVERIFY(!name.isEmpty() || i->role() == QAccessible::Separator);
            announced += i->role() == QAccessible::Notification ? name : QString();
            if (i->state().focusable) {
                QAccessibleTextInterface* shown = i->textInterface();
                QVERIFY2(name != i->text(QAccessible::Value) &&
                             (!shown || name != shown->text(0, shown->characterCount())),
                         qPrintable(name));
                named << name;
            }
            // What Orca reads of a panel the focus enters: its labels of three
            // words or more that stand in no relation; a caption labels its value.
            if (i->role() == QAccessible::StaticText && i->parent()->role() == QAccessible::Pane) {
                for (const auto& [value, relation] : i->relations(QAccessible::Labelled)) {
                    QVERIFY(value->text(QAccessible::Name).startsWith(name.trimmed() + ' '));
                }
                if (i->relations().isEmpty() && name.simplified().count(' ') >= 2) {
                    panel << name;
                }
            }
            for (int c = 0; c < i->childCount(); ++c) {
                walk(i->child(c));
            }
        };
        walk(window);
        QCOMPARE(named.size(), focusable);
        QCOMPARE(announced, told == "hide" ? "" : told);
        const QString read =
            "Should be: 1.618|AB Leg = 505|BC Leg = 312|Fib. Ratio = 0.618|"
            "Signal = BUY at Point D";
        QCOMPARE(panel.join('|'), announced.isEmpty() ? "" : read);
        for (QWidget* control : form->findChildren<QWidget*>()) {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(!showing(i) || i->rect().intersects(client),
                     qPrintable(control->objectName()));
        }
        QAccessibleInterface* spinner = QAccessible::queryAccessibleInterface(w("ud1"));
        QCOMPARE(spinner->valueInterface()->maximumValue(), QVariant(1000));
        said.clear();
        if (act.endsWith("wheel")) {
            wheel(w(act.section(' ', 0, 0)), 120);
        } else if (!act.isEmpty()) {
            reader(w(act.section(' ', 0, 0)))->doAction(act.section(' ', 1));
        }
        said << w<QLineEdit>("txtts1")->text()
             << (QApplication::activePopupWidget() ? "popup" : focus()->objectName());
        QCOMPARE(said.join('|'), heard);
    }

    // A reader walks the spinner's text by word, character, sentence and line,
    // and reads the box's selection.
    void readerWalksTheText() {
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(w("ud1"))->textInterface();
        QStringList walked;
        int from = 0, to = 0;
        for (const auto& [at, unit] : {std::pair(3, QAccessible::WordBoundary),
                                       {0, QAccessible::CharBoundary},
                                       {12, QAccessible::SentenceBoundary},
                                       {4, QAccessible::LineBoundary}}) {
            walked << text->textBeforeOffset(at, unit, &from, &to);
            walked << text->textAtOffset(at, unit, &from, &to);
            walked << text->textAfterOffset(at, unit, &from, &to);
        }
        QCOMPARE(walked.join('|'),
                 " |points|,||5| ||5 points, stop loss 1.9999|||5 points, stop loss 1.9999|");
        w<QLineEdit>("txtts1")->setSelection(0, 1);
        QAccessible::queryAccessibleInterface(w("txtts1"))
            ->textInterface()
            ->selection(0, &from, &to);
        QCOMPARE(QPoint(from, to), QPoint(0, 1));
    }

    // The point-size list drops down below its box; the wheel picks only while
    // the list has the focus, and elsewhere neither moves the focus nor checks.
    void pointListAndTheWheel() {
        click(w("chk4p"));
        auto* list = w<QComboBox>("cmbpoint");
        fill({"1.3", "1.2", "1.25"});  // 0.0001 picked
        click(list);
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup && popup->y() >= list->mapToGlobal(list->rect().bottomLeft()).y());
        QTest::keyClick(popup, Qt::Key_Escape);
        wheel(list, 120);
        QCOMPARE(form->PipSize(), 0.001);
        type("txta4", "abc");
        wheel(list, -120);
        QCOMPARE(list->currentText(), QString("0.001"));
        QCOMPARE(focus(), w("txta4"));
        QVERIFY(boxes->seen.isEmpty());
    }

    // Each control shows its focus by a mark that leaves its face as it was.
    void focusShownOnTheSameFace_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("backtabs");  // from chk4p; -1: the list focused by a click
        QTest::newRow("selected pattern") << "chk4p" << 0;
        QTest::newRow("box") << "txtts1" << 1;
        QTest::newRow("spinner") << "ud1" << 2;
        QTest::newRow("button") << "cmdana" << 5;
        QTest::newRow("list") << "cmbpoint" << -1;
    }
    void focusShownOnTheSameFace() {
        QFETCH(QString, name);
        QFETCH(int, backtabs);
        QWidget* control = w(name);
        click(w("chk4p"));             // selected, red and focused
        form->setFixedSize(954, 630);  // the spinners in view
        if (backtabs < 0) {
            click(control);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            form->activateWindow();  // as a desktop does once the list closes
            QVERIFY(QTest::qWaitForWindowActive(form.get()));
        }
        for (int i = 0; i < backtabs; ++i) {
            Key(Qt::Key_Backtab);
        }
        QCOMPARE(focus(), control);
        const QImage focused = control->grab().toImage();
        Key(Qt::Key_Tab);
        const QImage unfocused = control->grab().toImage();
        int changed = 0;
        for (int y = 0; y < focused.height(); ++y) {
            for (int x = 0; x < focused.width(); ++x) {
                changed += focused.pixel(x, y) != unfocused.pixel(x, y) ? 1 : 0;
            }
        }
        QVERIFY(changed > 0);  // the focus shows
        QVERIFY2(changed < focused.width() * focused.height() / 4, "a mark, not a new face");
    }

    // Exact at the edges: C on a band's bound matches; stops far below D show no noise.
    // A comma locale's point where a number stands alone, the typed point elsewhere.
    void edgesShowExactNumbers() {
        click(w("chk4p"));
        QLocale::setDefault(QLocale(QLocale::German));
        analyze({"1.3000", "1.2000", "1.2618"});
        click(w<UpDown>("ud1")->upArrow());
        verifyLabels(
            "zarib(0)=0,618|lblfib1= .618( .618)|lblofbc=AB=CD@ 1.1618|sl1=1,1612|tp2=1,2472");
        QLocale::setDefault(QLocale::c());
        analyze({"1.1", "1.0", "1.0613"});
        QCOMPARE(label("lblfib2"), QString("Should be: 1.618"));
        analyze({"3", "1.0", "2.6", "1"}, 0);
        QCOMPARE(label("sl1"), QString("0.068"));
        analyze({"3", "1.0", "2.2"}, 1);
        w<UpDown>("ud1")->setValue(20);
        click(w<UpDown>("ud1")->upArrow());
        QCOMPARE(label("sl1"), QString("-0.01"));
    }

    // On a dark palette, given before the windows are built or while they run,
    // every text shown reads at 3:1 at least (WCAG) on the commonest colour of
    // its box; the link colour is left blue, as some dark themes leave it.
    void readableOnADarkPalette_data() {
        QTest::addColumn<QString>("state");
        for (const char* s :
             {"splash", "strip", "bullish", "bearish", "splash later", "strip later"}) {
            QTest::newRow(s) << QString(s);
        }
    }
    void readableOnADarkPalette() {
        QFETCH(QString, state);
        const QPalette dark(QColor(0x40, 0x40, 0x40), QColor(0x40, 0x40, 0x40));
        if (!state.endsWith("later")) {
            QApplication::setPalette(dark);
            form = std::make_unique<frmmain>();
        }
        std::unique_ptr<QWidget> splash(state.startsWith("splash") ? new frmSplash : nullptr);
        QWidget* window = splash ? splash.get() : form.get();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        if (!splash) {
            click(w("chk4p"));
        }
        if (state.startsWith('b')) {  // B below A is bullish
            analyze(QString(state == "bullish" ? "1.3 1.2 1.2618" : "1.2 1.3 1.2618").split(' '));
        }
        QApplication::setPalette(dark);
        QApplication::processEvents();
        const QImage image = window->grab().toImage();
        std::pair<double, QString> lowest{21, ""};
        for (QWidget* c : window->findChildren<QWidget*>()) {
            const QRect box(c->mapTo(window, QPoint()), c->size());
            const QString text = c->property("text").toString() + c->property("title").toString();
            if ((text + c->property("currentText").toString()).isEmpty() || !c->isVisible() ||
                !image.rect().contains(box)) {
                continue;
            }
            QHash<QRgb, int> counts;
            QRgb back = 0;
            for (int i = 0; i < box.width() * box.height(); ++i) {
                const QRgb p = image.pixel(box.x() + i % box.width(), box.y() + i / box.width());
                back = ++counts[p] > counts[back] ? p : back;
            }
            const double ink = Light(c->palette().color(c->foregroundRole())), under = Light(back);
            const double ratio = std::max(ink, under) / std::min(ink, under);
            QVERIFY2(ratio >= 3, qPrintable(c->objectName() + QString(" %1:1").arg(ratio)));
            lowest = std::min(lowest, {ratio, c->objectName()});
        }
        qInfo("lowest contrast %.2f:1 (%s)", lowest.first, qPrintable(lowest.second));
    }

    // What the built controls paint, in literal colours where the design fixes
    // them.
    void paints() {
        QWidget built;
        plovatrix::win::BuildMainControls(&built);
        built.resize(945, 587);
        ui::Find(&built, "frame4")->show();
        built.show();
        QVERIFY(QTest::qWaitForWindowExposed(&built));
        const QColor border = QApplication::palette().color(QPalette::Mid);
        for (const Sample& s : Samples) {
            QWidget* on = ui::Find(&built, s.widget);
            const QImage image = on->grab().toImage();
            const QRect area =
                QRect(s.at, s.at).adjusted(-s.near - s.n, -s.near, s.near + s.n, s.near);
            const QColor etched = on->palette().color(QPalette::Dark);
            QVERIFY2(ui::Has(image, area,
                             s.colour == Border   ? border
                             : s.colour == Etched ? etched
                                                  : QColor::fromRgb(s.colour)),
                     s.what);
            QVERIFY2(s.n == 0 || ui::Has(image, area, on->palette().color(QPalette::Window)),
                     s.what);
        }
        const QImage pic1 = ui::Find(&built, "pic1")->grab().toImage();
        int divider = 0;  // three pixels wide
        for (int x = 350; x < 370; ++x) {
            divider += pic1.pixelColor(x, 100).rgb() == border.rgb() ? 1 : 0;
        }
        QCOMPARE(divider, 3);
        // "NO Match Found", when shown, covers the middle of its panel, red on the button face.
        for (const char* panel : {"pic1", "pic2"}) {
            QWidget* pic = ui::Find(&built, panel);
            QLabel* noma = pic->findChildren<QLabel*>(QRegularExpression("^noma")).front();
            noma->show();
            const QRect box = noma->geometry();
            QVERIFY(box.contains(pic->rect().center()) && pic->rect().contains(box));
            const QImage image = pic->grab().toImage();
            QCOMPARE(image.pixelColor(box.topLeft() + QPoint(2, 2)),
                     QApplication::palette().color(QPalette::Button));
            QVERIFY(ui::Has(image, box, QColor::fromRgb(Red)));
        }
        // Analyze shows its icon, a dark tile, above the caption.
        QWidget* button = ui::Find(&built, "cmdana");
        const QImage image = button->grab().toImage();
        const int half = button->height() / 2;
        bool icon = false;
        for (int y = 4; y < half; ++y) {
            icon = icon || image.pixelColor(button->width() / 2, y).value() < 100;
        }
        QVERIFY(icon);
        const QColor ink = button->palette().color(QPalette::ButtonText);
        QVERIFY(ui::Has(image, QRect(4, half + 8, button->width() - 8, half - 12), ink));
        // A frame's caption stands whole on its etched edge, which it hides: the
        // edge runs on only past the caption.
        QWidget* frame = ui::Find(&built, "frame4");
        const QFontMetrics metrics(frame->font());
        const QImage edge = frame->grab().toImage();
        const QRect caption(6, metrics.height() / 2, metrics.horizontalAdvance("4 Points Pattern"),
                            1);
        QVERIFY(
            !ui::Has(edge, caption.adjusted(0, 0, 4, 0), frame->palette().color(QPalette::Dark)));
        QVERIFY(ui::Has(edge, caption.translated(caption.width() + 6, 0),
                        frame->palette().color(QPalette::Dark)));
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
