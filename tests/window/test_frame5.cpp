// The five-point strip is inert: its boxes take any six characters and keep
// them, and its Analyze button does nothing at all.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "formbuilder.h"

namespace {

// Everything a user could see change: texts, places and visibility of every
// named control, and the window's size.
QStringList Snapshot(QWidget* form) {
    QStringList state{QString("size %1x%2").arg(form->width()).arg(form->height())};
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty()) {
            continue;
        }
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
        } else if (auto* box = qobject_cast<QLineEdit*>(w)) {
            text = box->text();
        }
        const QRect g = w->geometry();
        state << QString("%1 %2 %3,%4 %5x%6 [%7]")
                     .arg(w->objectName(), w->isHidden() ? "hidden" : "shown")
                     .arg(g.x())
                     .arg(g.y())
                     .arg(g.width())
                     .arg(g.height())
                     .arg(text);
    }
    return state;
}

}  // namespace

class TestFrame5 : public QObject {
    Q_OBJECT

    QWidget form_;

    template <typename T = QWidget>
    T* Find(const QString& name) {
        return form_.findChild<T*>(name);
    }

private slots:
    void initTestCase() {
        form_.setObjectName("frmmain");
        plovatrix::win::BuildMainControls(&form_);
        form_.resize(954, 158);
        Find("Frame5")->show();
        form_.show();
        QApplication::setActiveWindow(&form_);
        QVERIFY(QTest::qWaitForWindowActive(&form_));
    }

    void boxesTakeAnySixCharacters_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("Text12 letters") << "Text12"
                                        << "abcdefg"
                                        << "abcdef";
        QTest::newRow("Text11 mixed") << "Text11"
                                      << "1.2x?!9"
                                      << "1.2x?!";
        QTest::newRow("Text9 negative") << "Text9"
                                        << "-5"
                                        << "-5";
        QTest::newRow("Text14 blanks") << "Text14"
                                       << "  1 2  "
                                       << "  1 2 ";
        QTest::newRow("Text8 comma") << "Text8"
                                     << "1,5"
                                     << "1,5";
        QTest::newRow("Text10 long number") << "Text10"
                                            << "1.215499"
                                            << "1.2154";
        QTest::newRow("Text13 words") << "Text13"
                                      << "lots of"
                                      << "lots o";
        QTest::newRow("Text7 zero") << "Text7"
                                    << "0"
                                    << "0";
    }
    void boxesTakeAnySixCharacters() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        auto* box = Find<QLineEdit>(name);
        QVERIFY(box);
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_End);
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(box, Qt::Key_Backspace);
        }
        QCOMPARE(box->text(), QString());
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), kept);
        // No warning and no hold on the focus: Tab simply moves on.
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(!box->hasFocus());
    }

    // Tab runs through the strip in its designed order, and no box selects
    // its text when the focus arrives.
    void tabOrderWithoutSelection() {
        const QStringList order{"cmdana5", "Text7",  "Text8",  "Text10", "Text13",
                                "Text14",  "Text12", "Text11", "Text9"};
        Find(order.front())->setFocus(Qt::TabFocusReason);
        for (const QString& name : order.mid(1)) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(box);
            QCOMPARE(box->objectName(), name);
            QVERIFY2(!box->hasSelectedText(), qPrintable(name));
        }
    }

    void clickFocusSelectsNothing_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"Text7", "Text8", "Text9", "Text10", "Text11", "Text12", "Text13", "Text14"}) {
            QTest::newRow(name) << name;
        }
    }
    void clickFocusSelectsNothing() {
        QFETCH(QString, name);
        Find("cmdana5")->setFocus();
        auto* box = Find<QLineEdit>(name);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->hasFocus());
        QVERIFY(!box->hasSelectedText());
    }

    void analyzeDoesNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse click") << "click";
        QTest::newRow("space bar") << "space";
        QTest::newRow("Alt+A") << "alt";
    }
    void analyzeDoesNothing() {
        QFETCH(QString, how);
        auto* cmdana5 = Find<QPushButton>("cmdana5");
        auto* cmdana = Find<QPushButton>("cmdana");
        QSignalSpy fourPoint(cmdana, &QAbstractButton::clicked);
        QSignalSpy fivePoint(cmdana5, &QAbstractButton::clicked);
        Find("Text7")->setFocus();
        const QStringList before = Snapshot(&form_);
        if (how == "click") {
            QTest::mouseClick(cmdana5, Qt::LeftButton);
        } else if (how == "space") {
            cmdana5->setFocus();
            QTest::keyClick(cmdana5, Qt::Key_Space);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        }
        QCOMPARE(Snapshot(&form_), before);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        // The press reached cmdana5; the hidden 4-point strip's Analyze never
        // answers for it.
        QCOMPARE(fivePoint.count(), 1);
        QCOMPARE(fourPoint.count(), 0);
    }

    // What the user typed is still there after the strip is swapped out and back.
    void typedTextSurvivesASwitch() {
        auto* box = Find<QLineEdit>("Text12");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, "kept");
        Find("Frame5")->hide();
        Find("frame4")->show();
        Find("frame4")->hide();
        Find("Frame5")->show();
        QCOMPARE(box->text(), QString("kept"));
        QCOMPARE(Find<QLabel>("Label38")->text(), QString("1.2157"));
    }
};

QTEST_MAIN(TestFrame5)
#include "test_frame5.moc"
