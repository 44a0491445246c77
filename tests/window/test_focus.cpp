// The focus as a user moves it: the tab order, typing, the check before the
// focus leaves a field, the keys that click Analyze at once, coming back from
// another program, and the point-size list with the wheel.
#include <QComboBox>

#include "updown.h"
#include "windowtest.h"

class FocusTest : public WindowTest {
    Q_OBJECT

private slots:
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
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("leave");  // a key, or the control clicked
        QTest::addColumn<bool>("refused");
        const char* fields[] = {"txta4", "txtb4", "txtc4", "txtab4", "txtbc4", "txttol4"};
        const char* bad[] = {"", "abc", "12abc", "1.2.3", "-1", "1,2", " ", "1e3"};
        const char* leaves[] = {"cmdana", "tab",      "backtab", "alt+a",
                                "chk5p",  "cmbpoint", "txtc4",   "ud1"};
        for (int n = 0; n < 48; ++n) {
            const char *field = fields[n / 8], *text = bad[n % 8], *leave = leaves[n % 8];
            QTest::addRow("%s '%s' %s", field, text, leave) << field << text << leave << true;
        }
        // clang-format off
        const struct { const char *field, *text, *leave; bool refused; } rows[] = {
            {"txta4", "0", "cmdana", true}, {"txtb4", "0", "cmdana", true}, {"txtc4", "0", "cmdana", true},
            {"txta4", "-0", "tab", true}, {"txtb4", "-0", "tab", true}, {"txtc4", "-0", "tab", true},
            {"txtb4", " 1.5", "tab", false}, {"txtab4", "0", "tab", false},
            {"txtbc4", "2.5", "tab", false}, {"txttol4", ".5", "tab", false}};
        // clang-format on
        for (const auto& r : rows) {
            QTest::addRow("%s '%s' %s", r.field, r.text, r.leave)
                << r.field << r.text << r.leave << r.refused;
        }
    }

    void leavingAField() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, leave);
        QFETCH(bool, refused);
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
            click(w<plovatrix::win::UpDown>("ud1")->upArrow());
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
        QVERIFY(!w<QAbstractButton>("chk5p")->isChecked() &&
                w<plovatrix::win::UpDown>("ud1")->value() == 5);
        QVERIFY(w<QComboBox>("cmbpoint")->currentIndex() == -1);
        QVERIFY(size().height() == 158 || leave == "ud1");
        Key(Qt::Key_Tab);
        QCOMPARE(boxes->seen, QStringList(2, "Warning: Wrong Dtat Entry... (critical)"));
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
};

QTEST_MAIN(FocusTest)
#include "test_focus.moc"
