// The main window driven as a user drives it: clicks land on the window and
// are routed by Qt to the control under the pointer, keys go to the focus.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <QtTest>
#include <memory>
#include <numeric>

#include "frmmain.h"
#include "updown.h"

using plovatrix::win::UpDown;

namespace {

// What the user saw of one message box, which the closer then closed with OK.
struct SeenBox {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Closes every modal message box as it appears and remembers it.
class BoxCloser : public QObject {
public:
    BoxCloser() {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen.push_back({box->text(), box->windowTitle(), box->icon()});
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer_.start();
    }
    QList<SeenBox> seen;

private:
    QTimer timer_;
};

}  // namespace

class FrmMainTest : public QObject {
    Q_OBJECT

    std::unique_ptr<frmmain> form;
    std::unique_ptr<BoxCloser> boxes;

    template <typename T = QWidget>
    T* w(const char* name) {
        T* found = form->findChild<T*>(name);
        if (!found) {
            qFatal("no control %s", name);
        }
        return found;
    }
    QLineEdit* box(const char* name) { return w<QLineEdit>(name); }
    QString label(const char* name) { return w<QLabel>(name)->text(); }
    QSize size() const { return form->frameGeometry().size(); }

    // A click as the user makes it: on the window, where the control is.
    void click(QWidget* target, QPoint at = {}) {
        if (at.isNull()) {
            at = target->rect().center();
        }
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, target->mapTo(form.get(), at));
    }
    void type(const char* field, const QString& text) {
        click(box(field));
        key(Qt::Key_Backspace);  // the whole text is selected: clear it
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(QApplication::focusWidget(), k, mods);
    }
    // Picks an entry of the point-size list with the keyboard.
    void choosePointSize(int index) {
        auto* list = w<QComboBox>("cmbpoint");
        if (QApplication::focusWidget() != list) {
            click(list);  // opens the list; Escape closes it again
            if (QWidget* popup = QApplication::activePopupWidget()) {
                QTest::keyClick(popup, Qt::Key_Escape);
            }
        }
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list));
        key(Qt::Key_Home);
        for (int i = 0; i < index; ++i) {
            key(Qt::Key_Down);
        }
    }
    // Fills the strip by the keyboard from A on and clicks Analyze.
    void analyze(const QString& a, const QString& b, const QString& c, const QString& tol = "5",
                 const QString& ab = "0", const QString& bc = "0") {
        type("txta4", a);
        for (const QString& t : {b, c, tol}) {
            key(Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), t);
        }
        type("txtab4", ab);
        type("txtbc4", bc);
        if (w<QComboBox>("cmbpoint")->currentText().isEmpty()) {
            choosePointSize(3);
        }
        click(w("cmdana"));
    }
    bool shown(const char* name) { return w(name)->isVisibleTo(form.get()); }

private slots:
    void init() {
        form = std::make_unique<frmmain>();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        boxes = std::make_unique<BoxCloser>();
    }
    void cleanup() {
        boxes.reset();
        form.reset();
        QLocale::setDefault(QLocale::c());
    }

    void opensCompact() {
        QCOMPARE(size(), QSize(171, 158));
        QCOMPARE(form->windowTitle(), QString("Plovatrix"));
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!shown("frame4"));
        QVERIFY(!shown("Frame5"));
        QVERIFY(!w<QAbstractButton>("chk4p")->isChecked());
        QVERIFY(!w<QAbstractButton>("chk5p")->isChecked());
        QVERIFY(!w("noma1")->isHidden());
        QVERIFY(!w("noma2")->isHidden());
        QCOMPARE(box("txtts1")->text(), QString("5"));
        QCOMPARE(box("txtts2")->text(), QString("5"));
        QCOMPARE(w<QComboBox>("cmbpoint")->currentText(), QString());
        QCOMPARE(w<UpDown>("ud1")->value(), 5);
        QCOMPARE(form->PipSize(), 0.0);
        QCOMPARE(form->PriceD(), 0.0);
    }

    void patternSelection_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<bool>("four");
        QTest::addColumn<bool>("five");
        QTest::addColumn<QSize>("size");
        QTest::newRow("4") << "4" << true << false << QSize(954, 158);
        QTest::newRow("5") << "5" << false << true << QSize(954, 158);
        QTest::newRow("4 5") << "45" << false << true << QSize(954, 158);
        QTest::newRow("5 4") << "54" << true << false << QSize(954, 158);
        QTest::newRow("4 4") << "44" << false << false << QSize(171, 158);
        QTest::newRow("5 5") << "55" << false << false << QSize(171, 158);
        QTest::newRow("4 5 5 4") << "4554" << true << false << QSize(954, 158);
    }
    void patternSelection() {
        QFETCH(QString, clicks);
        QFETCH(bool, four);
        QFETCH(bool, five);
        QFETCH(QSize, size);
        for (QChar c : clicks) {
            click(w(c == '4' ? "chk4p" : "chk5p"));
        }
        auto* chk4p = w<QAbstractButton>("chk4p");
        auto* chk5p = w<QAbstractButton>("chk5p");
        QCOMPARE(chk4p->isChecked(), four);
        QCOMPARE(chk5p->isChecked(), five);
        QCOMPARE(shown("frame4"), four);
        QCOMPARE(shown("Frame5"), five);
        QCOMPARE(this->size(), size);
        const QColor red(255, 0, 0), face = QApplication::palette().color(QPalette::Button);
        QCOMPARE(chk4p->palette().color(QPalette::Button), four ? red : face);
        QCOMPARE(chk5p->palette().color(QPalette::Button), five ? red : face);
    }

    // Tab and Shift+Tab go round in the order of the tab indexes, skipping
    // what lies below the window's edge at the strip size.
    void tabOrderFollowsTheStrip_data() {
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("cycle");
        const QString strip = "txta4 txtb4 txtc4 txttol4 cmbpoint cmdana txtab4 txtbc4 ";
        QTest::newRow("strip") << false << strip + "chk4p chk5p txta4";
        QTest::newRow("full") << true << strip + "ud1 txtts1 chk4p chk5p txta4";
    }
    void tabOrderFollowsTheStrip() {
        QFETCH(bool, full);
        QFETCH(QString, cycle);
        click(w("chk4p"));
        if (full) {
            analyze("1.3000", "1.2000", "1.2618");
        }
        for (const char* name : {"txta4", "txtb4", "txtc4"}) {
            box(name)->setText("1");  // acceptable, so the focus may leave
        }
        click(box("txta4"));
        for (Qt::Key k : {Qt::Key_Tab, Qt::Key_Backtab}) {
            QStringList walk{"txta4"};
            while (walk.size() < cycle.count(' ') + 1) {
                key(k);
                walk.insert(k == Qt::Key_Tab ? walk.size() : 0,
                            QApplication::focusWidget()->objectName());
            }
            QCOMPARE(walk.join(' '), cycle);
        }
    }

    void fieldsSelectTheirTextOnFocus() {
        click(w("chk4p"));
        box("txtb4")->setText("1.2154");
        click(box("txta4"));
        QCOMPARE(box("txta4")->selectedText(), QString("0"));
        QTest::keyClicks(box("txta4"), "1.3");
        key(Qt::Key_Tab);
        QCOMPARE(box("txtb4")->selectedText(), QString("1.2154"));
        QTest::keyClicks(box("txtb4"), "7");
        QCOMPARE(box("txtb4")->text(), QString("7"));
    }

    void seventhCharacterRefused() {
        click(w("chk4p"));
        for (const char* name : {"txta4", "txtb4", "txtc4", "txtab4", "txtbc4", "txttol4"}) {
            type(name, "1234567");
            QCOMPARE(box(name)->text(), QString("123456"));
        }
    }

    void bIsEchoedAsTyped() {
        click(w("chk4p"));
        click(box("txtb4"));
        QStringList echoes;
        for (const char* c : {"1", ".", "2", "x"}) {
            QTest::keyClicks(box("txtb4"), c);
            echoes << label("lblb4");
        }
        QCOMPARE(echoes, QStringList({"1", "1.", "1.2", "1.2x"}));
    }

    // Each kind of bad text in each kind of field, and each way of leaving.
    void badTextKeepsTheFocus_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("leave");
        const char* fields[] = {"txta4", "txtb4", "txtc4", "txtab4", "txtbc4", "txttol4"};
        const char* anywhere[] = {"", "abc", "12abc", "1.2.3", "-1", "1,2", " ", "1e3"};
        const char* leaves[] = {"cmdana", "tab",      "backtab", "alt+a",
                                "chk5p",  "cmbpoint", "txtc4",   "ud1"};
        int n = 0;
        for (const char* f : fields) {
            for (const char* t : anywhere) {
                const char* how = leaves[n++ % std::size(leaves)];
                const QString name = QString("%1 '%2' %3").arg(f, t, how);
                QTest::newRow(qPrintable(name)) << f << t << how;
            }
        }
        for (const char* f : {"txta4", "txtb4", "txtc4"}) {
            QTest::addRow("%s '0' cmdana", f) << f << "0"
                                              << "cmdana";
            QTest::addRow("%s '-0' tab", f) << f << "-0"
                                            << "tab";
        }
    }
    void badTextKeepsTheFocus() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, leave);
        click(w("chk4p"));
        const QString targetField = field == "txtc4" ? "txta4" : "txtc4";
        type(field.toLatin1(), text);
        if (field == "txttol4" && leave == "ud1") {
            leave = "cmdana";
        }
        if (leave == "tab") {
            key(Qt::Key_Tab);
        } else if (leave == "backtab") {
            key(Qt::Key_Backtab);
        } else if (leave == "alt+a") {
            key(Qt::Key_A, Qt::AltModifier);
        } else if (leave == "txtc4") {
            click(box(targetField.toLatin1()));
        } else if (leave == "ud1") {
            // The spinners are out of view at the strip size: enlarge first,
            // as a user dragging the border would.
            form->resize(954, 630);
            click(w<UpDown>("ud1")->upArrow());
        } else {
            click(w(leave.toLatin1()));
        }
        QVERIFY(QTest::qWaitForWindowActive(form.get()));  // again, once the box is closed
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen[0].text, QString("Wrong Dtat Entry..."));
        QCOMPARE(boxes->seen[0].title, QString("Warning"));
        QCOMPARE(boxes->seen[0].icon, QMessageBox::Critical);
        QCOMPARE(QApplication::focusWidget(), box(field.toLatin1()));
        QCOMPARE(box(field.toLatin1())->selectedText(), box(field.toLatin1())->text());
        QCOMPARE(box(field.toLatin1())->text(), text);
        // Nothing of the move happened.
        QVERIFY(!w<QAbstractButton>("chk5p")->isChecked());
        QCOMPARE(w<UpDown>("ud1")->value(), 5);
        QCOMPARE(w<QComboBox>("cmbpoint")->currentIndex(), -1);
        QVERIFY(form->frameGeometry().height() == 158 || leave == "ud1");
        // Each attempt warns again.
        key(Qt::Key_Tab);
        QCOMPARE(boxes->seen.size(), 2);
    }

    void acceptableTextLetsTheFocusGo_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("price") << "txta4"
                               << "1.2154";
        QTest::newRow("price blanks") << "txtb4"
                                      << " 1.5";
        QTest::newRow("count 0") << "txtab4"
                                 << "0";
        QTest::newRow("count fraction") << "txtbc4"
                                        << "2.5";
        QTest::newRow("tolerance 0") << "txttol4"
                                     << "0";
        QTest::newRow("tolerance .5") << "txttol4"
                                      << ".5";
    }
    void acceptableTextLetsTheFocusGo() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        click(w("chk4p"));
        type(field.toLatin1(), text);
        key(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != box(field.toLatin1()));
        QVERIFY(boxes->seen.isEmpty());
    }

    void bullishAndBearishTypedThroughTheWindow() {
        click(w("chk4p"));
        analyze("1.3000", "1.2000", "1.2618");
        QVERIFY(boxes->seen.isEmpty());
        QCOMPARE(size(), QSize(954, 630));
        QVERIFY(shown("pic1"));
        QVERIFY(!shown("pic2"));
        QVERIFY(!shown("noma1"));
        const QList<QPair<const char*, const char*>> bullish = {{"lbla", "1.3000"},
                                                                {"lblb", "1.2000"},
                                                                {"lblc", "1.2618"},
                                                                {"legab(0)", "1000"},
                                                                {"legbc(0)", "618"},
                                                                {"zarib(0)", "0.618"},
                                                                {"lblfib1", " .618( .618)"},
                                                                {"lblfib2", "Should be: 1.618"},
                                                                {"lblabcd", " 1.618BC@ 1.1618"},
                                                                {"lblofbc", "AB=CD@ 1.1618"},
                                                                {"sl1", "1.1613"},
                                                                {"tp1", "1.2236"},
                                                                {"tp2", "1.2472"},
                                                                {"lblcan1", "NOT GIVEN"},
                                                                {"lbltfib", "Missed"},
                                                                {"lblt2", "Missed"}};
        for (const auto& [name, text] : bullish) {
            QCOMPARE(label(name), QString(text));
        }
        QCOMPARE(form->PriceD(), 1.1618);

        analyze("1.2000", "1.3000", "1.2618", "5", "10", "4");
        QVERIFY(shown("pic2"));
        QVERIFY(!shown("pic1"));
        QVERIFY(!shown("noma2"));
        const QList<QPair<const char*, const char*>> bearish = {
            {"lblabcd2", "AB=CD@ 1.3618"},
            {"lblofbc2", " 2.24BC@ 1.3474"},
            {"sl2", "1.3623"},
            {"tp11", "1.3"},
            {"tp22", "1.2618"},
            {"lblcan12", "10"},
            {"lbltfib2", "0.4"},
            {"lblt22", "Should be: 10 Candle(s)"}};
        for (const auto& [name, text] : bearish) {
            QCOMPARE(label(name), QString(text));
        }
        // A self-sizing label takes the size of its new text.
        QCOMPARE(w("lblt22")->size(), w("lblt22")->sizeHint());
    }

    void stopSpinners() {
        click(w("chk4p"));
        analyze("1.3000", "1.2000", "1.2618");
        auto* ud1 = w<UpDown>("ud1");
        QStringList stops;
        for (int i = 0; i < 3; ++i) {
            click(ud1->upArrow());
            stops << label("sl1");
        }
        QCOMPARE(stops, QStringList({"1.1612", "1.1611", "1.161"}));
        QCOMPARE(box("txtts1")->text(), QString("8"));
        QCOMPARE(label("sl2"), QString("1.9999"));  // the other panel is untouched
        // The arrows' click gave the spinner the focus; the keyboard drives it.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(ud1));
        key(Qt::Key_Down);
        QCOMPARE(box("txtts1")->text(), QString("7"));

        // The range ends.
        ud1->setValue(1);
        for (int i = 0; i < 3; ++i) {
            click(ud1->downArrow());
        }
        QCOMPARE(box("txtts1")->text(), QString("0"));
        QCOMPARE(label("sl1"), QString("1.1618"));  // 0 points: D itself
        ud1->setValue(999);
        click(ud1->upArrow());
        click(ud1->upArrow());
        QCOMPARE(ud1->value(), 1000);
        QCOMPARE(box("txtts1")->text(), QString("1000"));

        // Analyze resets to 5 and rewrites the stop, even when a check then fails.
        ud1->setValue(8);
        box("txta4")->setText("0");  // as a field that never had the focus
        click(w("cmdana"));
        QCOMPARE(QApplication::focusWidget(), box("txta4"));
        QCOMPARE(ud1->value(), 5);
        QCOMPARE(box("txtts1")->text(), QString("5"));
        QCOMPARE(label("sl1"), QString("1.1613"));
        QVERIFY(!w("noma1")->isHidden());
    }

    void bearishSpinnerMovesUp() {
        click(w("chk4p"));
        analyze("1.2000", "1.3000", "1.2618");
        click(w<UpDown>("ud2")->upArrow());
        QCOMPARE(label("sl2"), QString("1.3624"));
        QCOMPARE(box("txtts2")->text(), QString("6"));
    }

    void noMatchAfterAMatch() {
        click(w("chk4p"));
        analyze("1.3000", "1.2000", "1.2618");
        analyze("1.3000", "1.2000", "1.2388");
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen[0].text, QString("No Certain Pattern Found"));
        QCOMPARE(boxes->seen[0].title, QString("Nothing"));
        QCOMPARE(boxes->seen[0].icon, QMessageBox::Information);
        QCOMPARE(size(), QSize(954, 158));
        QCOMPARE(QApplication::focusWidget(), box("txttol4"));
        QCOMPARE(box("txttol4")->selectedText(), QString("5"));
        QCOMPARE(label("lblc"), QString("1.2388"));  // written before the matching
        QCOMPARE(label("tp1"), QString("1.2236"));   // kept from the match
        QVERIFY(!w("noma1")->isHidden());
        // The spinner computes from the earlier D.
        form->resize(954, 630);
        click(w<UpDown>("ud1")->upArrow());
        QCOMPARE(label("sl1"), QString("1.1612"));
        QCOMPARE(form->PriceD(), 1.1618);
    }

    void aEqualToB() {
        click(w("chk4p"));
        analyze("1.2000", "1.2000", "1.2618");
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen[0].text, QString("No Certain Pattern Found"));
        QCOMPARE(size(), QSize(954, 158));
        QCOMPARE(label("lbla"), QString("1.2154"));  // no label written
        QCOMPARE(label("lbla2"), QString("1.2154"));
        QCOMPARE(QApplication::focusWidget(), box("txttol4"));
    }

    void failedChecksMoveTheFocusSilently() {
        click(w("chk4p"));
        click(w("cmdana"));  // every field still at "0"
        QCOMPARE(QApplication::focusWidget(), box("txta4"));
        QVERIFY(boxes->seen.isEmpty());
        QCOMPARE(size(), QSize(954, 158));
        // Valid prices but no point size chosen yet.
        type("txta4", "1.3");
        type("txtb4", "1.2");
        type("txtc4", "1.2618");
        click(w("cmdana"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w("cmbpoint")));
        QVERIFY(boxes->seen.isEmpty());
    }

    void pointSizePickSetsPipSizeOnly() {
        click(w("chk4p"));
        choosePointSize(2);
        QCOMPARE(w<QComboBox>("cmbpoint")->currentText(), QString("0.001"));
        QCOMPARE(form->PipSize(), 0.001);
        key(Qt::Key_Up);  // a keyboard pick
        QCOMPARE(form->PipSize(), 0.01);
        QCOMPARE(label("sl1"), QString("1.9999"));
    }

    void patternButtonAfterAResultHidesIt() {
        click(w("chk4p"));
        analyze("1.3000", "1.2000", "1.2618");
        click(w("chk5p"));
        QCOMPARE(size(), QSize(954, 158));
        QVERIFY(shown("Frame5"));
        QCOMPARE(label("tp1"), QString("1.2236"));
    }

    void commaLocaleTargetsAndStop() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        click(w("chk4p"));
        analyze("1.3000", "1.2000", "1.2618", "5", "10", "4");
        QCOMPARE(label("tp1"), QString("1,2236"));
        QCOMPARE(label("tp2"), QString("1,2472"));
        QCOMPARE(label("sl1"), QString("1,1613"));
        QCOMPARE(label("zarib(0)"), QString("0,618"));
        QCOMPARE(label("lbltfib"), QString("0,4"));
        QCOMPARE(label("lblfib2"), QString("Should be: 1.618"));
        // Prices are still typed with '.'; "1,2" is refused.
        type("txta4", "1,2");
        key(Qt::Key_Tab);
        QCOMPARE(boxes->seen.size(), 1);
    }

    // Exact at the edges: C on a band bound matches; stops far below D show no noise.
    void edgesShowExactNumbers() {
        click(w("chk4p"));
        analyze("1.1", "1.0", "1.0613");
        QCOMPARE(label("lblfib2"), QString("Should be: 1.618"));
        choosePointSize(0);
        analyze("3", "1.0", "2.6", "1");
        QCOMPARE(label("sl1"), QString("0.068"));
        choosePointSize(1);
        analyze("3", "1.0", "2.2");
        w<UpDown>("ud1")->setValue(20);
        click(w<UpDown>("ud1")->upArrow());
        QCOMPARE(label("sl1"), QString("-0.01"));
    }

    // Alt+A from the tolerance field, and Return, keypad Enter or Space on
    // Analyze, click at once: a key typed next neither beats the click nor
    // reaches the field (at tolerance 0 these prices match nothing).
    void keyboardClicksAnalyzeAtOnce_data() {
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("mods");
        QTest::newRow("Alt+A") << int(Qt::Key_A) << int(Qt::AltModifier);
        QTest::newRow("Return") << int(Qt::Key_Return) << 0;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("Space") << int(Qt::Key_Space) << 0;
    }
    void keyboardClicksAnalyzeAtOnce() {
        QFETCH(int, pressed);
        QFETCH(int, mods);
        click(w("chk4p"));
        type("txta4", "1.3000");
        for (const char* t : {"1.2000", "1.2620", "5"}) {
            key(Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), t);
        }
        choosePointSize(3);
        if (pressed == Qt::Key_A) {
            click(box("txttol4"));
        } else {
            key(Qt::Key_Tab);
        }
        QSignalSpy clicks(w<QAbstractButton>("cmdana"), &QAbstractButton::clicked);
        key(Qt::Key(pressed), Qt::KeyboardModifiers(mods));
        QCOMPARE(clicks.count(), 1);
        key(Qt::Key_0);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(size(), QSize(954, 630));
        QCOMPARE(label("tp1"), QString("1.2237"));
        QCOMPARE(box("txttol4")->text(), QString("5"));
        QCOMPARE(QApplication::focusWidget(), w("cmdana"));
        QVERIFY(boxes->seen.isEmpty());
    }

    // Coming back from another program is no move of the focus.
    void comingBackKeepsTheCaret() {
        click(w("chk4p"));
        type("txta4", "1.2");
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClicks(QApplication::focusWidget(), "5");
        QCOMPARE(box("txta4")->text(), QString("1.25"));
    }

    // The point-size list drops down below its box; the wheel picks only
    // while the list has the focus, and elsewhere neither moves nor checks.
    void pointListDropsDownAndWheelNeedsFocus() {
        click(w("chk4p"));
        auto* list = w<QComboBox>("cmbpoint");
        const auto wheel = [&](int delta) {
            const QPointF at = list->mapTo(form.get(), list->rect().center());
            QWheelEvent turn(at, form->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {},
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(form->windowHandle(), &turn);
        };
        choosePointSize(2);
        click(list);
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup && popup->y() >= list->mapToGlobal(list->rect().bottomLeft()).y());
        QTest::keyClick(popup, Qt::Key_Escape);
        wheel(-120);
        QCOMPARE(form->PipSize(), 0.0001);
        type("txta4", "abc");
        wheel(120);
        QCOMPARE(list->currentText(), QString("0.0001"));
        QCOMPARE(QApplication::focusWidget(), box("txta4"));
        QVERIFY(boxes->seen.isEmpty());
    }

    // Each control shows its focus by a mark that leaves its face as it was.
    void focusShownOnTheSameFace_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("backtabs");  // from chk4p; -1: the list picked by a click
        QTest::newRow("selected pattern") << "chk4p" << 0;
        QTest::newRow("box") << "txtts1" << 3;
        QTest::newRow("spinner") << "ud1" << 4;
        QTest::newRow("button") << "cmdana" << 7;
        QTest::newRow("list") << "cmbpoint" << -1;
    }
    void focusShownOnTheSameFace() {
        QFETCH(QString, name);
        QFETCH(int, backtabs);
        QWidget* control = w(name.toLatin1());
        click(w("chk4p"));       // selected, red and focused
        form->resize(954, 630);  // the spinners in view
        if (backtabs < 0) {
            choosePointSize(0);
        }
        for (int i = 0; i < backtabs; ++i) {
            key(Qt::Key_Backtab);
        }
        QCOMPARE(QApplication::focusWidget(), control);
        const QImage focused = control->grab().toImage();
        key(Qt::Key_Tab);
        const QImage unfocused = control->grab().toImage();
        const int pixels = focused.width() * focused.height();
        const auto* on = reinterpret_cast<const QRgb*>(focused.constBits());
        const auto* off = reinterpret_cast<const QRgb*>(unfocused.constBits());
        const int changed =
            std::inner_product(on, on + pixels, off, 0, std::plus<>(), std::not_equal_to<>());
        QVERIFY(changed > 0);  // the focus shows
        QVERIFY2(changed < pixels / 4, "a mark, not a new face");
    }
};

QTEST_MAIN(FrmMainTest)
#include "test_frmmain.moc"
