// What a screen reader is told, read through the toolkit's own interfaces and
// heard as it is raised, with the platform's accessibility on as a reader
// turns it on: the window's tree, the result notice, the spinner's steps, the
// list's picks, and every text read whole by unit.
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>

#include "windowtest.h"

namespace {

// What a screen reader acts on, as it is told: a notice shown or withdrawn,
// a spinner's new value with what it sets, and the list's new pick taking the
// reader. The toolkit tells a listening reader much else besides (the focus,
// texts, states, the list's own value, which Orca passes over), and which of
// that differs between its versions.
QStringList said;
void Hear(QAccessibleEvent* event) {
    QAccessibleInterface* i = event->accessibleInterface();
    if (!i) {
        return;  // a window being torn down
    }
    const QAccessible::Event type = event->type();
    const QAccessible::Role role = i->role();
    if (!(role == QAccessible::Notification &&
          (type == QAccessible::ObjectShow || type == QAccessible::ObjectHide)) &&
        !(type == QAccessible::ValueChanged && role == QAccessible::SpinBox) &&
        !(type == QAccessible::Focus && role == QAccessible::ListItem &&
          i->parent()->role() == QAccessible::ComboBox && i->parent()->child(0) == i)) {
        return;
    }
    QAccessibleTextInterface* text = i->textInterface();
    said << (type == QAccessible::ObjectHide ? QString("hide")
             : text                          ? text->text(0, text->characterCount())
                                             : i->text(QAccessible::Name));
}

}  // namespace

class ReaderTest : public WindowTest {
    Q_OBJECT

private slots:
    void initTestCase() {
        WindowTest::initTestCase();
        // A reader listens, as on a desktop with one running; offscreen no
        // platform bridge turns that on.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QVERIFY(QAccessible::isActive());
        QAccessible::installUpdateHandler(Hear);
    }
    void init() {
        WindowTest::init();
        said.clear();
    }

    // What a screen reader is told, read through the toolkit's own interfaces
    // and heard as it is raised: the window's tree holds only what lies in the
    // window, all of it named but the separators, each focusable control for
    // what it is, not for its value or the text it shows; a control outside
    // the window says it is not showing; a panel's values are read with their
    // captions. Analyze pressed by a reader tells the result; a step of the
    // spinner, by a reader or the wheel over its box, tells the stop it sets.
    void screenReaderView_data() {
        QTest::addColumn<QStringList>("cs");  // C of each analysis, the last pressed by a reader
        QTest::addColumn<QStringList>("counts");  // the candles A-B and B-C, or none given
        QTest::addColumn<QString>("control");     // then a reader's action on it, a wheel notch
        QTest::addColumn<QString>("action");      // or keys
        QTest::addColumn<int>("focusable");       // the focusable controls a reader reaches
        QTest::addColumn<QString>("told");        // by the last analysis
        QTest::addColumn<QStringList>(
            "heard");  // by the action, then the box, the focus or a popup
        const QString result =
            "Bullish AB=CD: BUY at Point D 1880.7, ratios 0.618 and 1.618, "
            "stop loss 1880.2, TP1 1911.909, TP2 1923.8364";
        const QStringList none, one{"1931.2"}, counts{"10", "8"},
            up{"hide", "6 points, stop loss 1880.1", "6", "cmbpoint"};
        // clang-format off
        QTest::newRow("compact") << none << none << "" << "" << 2 << "" << QStringList{"5", "chk4p"};
        QTest::newRow("strip") << none << none << "cmbpoint" << "SetFocus" << 10 << "" << QStringList{"5", "cmbpoint"};
        QTest::newRow("bullish") << one << none << "" << "" << 12 << result << QStringList{"5", "cmbpoint"};
        QTest::newRow("counts") << one << counts << "" << "" << 12 << result + ", CD 10 candles" << QStringList{"5", "cmbpoint"};
        QTest::newRow("up") << one << none << "ud1" << "Increase" << 12 << result << up;
        QTest::newRow("down") << one << none << "ud1" << "Decrease" << 12 << result << QStringList{"hide", "4 points, stop loss 1880.3", "4", "cmbpoint"};
        QTest::newRow("wheel") << one << none << "txtts1" << "wheel" << 12 << result << up;
        QTest::newRow("focus") << one << none << "ud1" << "SetFocus" << 12 << result << QStringList{"5", "ud1"};
        QTest::newRow("list") << one << none << "cmbpoint" << "ShowMenu" << 12 << result << QStringList{"5", "popup"};
        QTest::newRow("list key") << one << none << "cmbpoint" << "Down Up" << 12 << result << QStringList{"0.01", "0.1", "5", "cmbpoint"};
        QTest::newRow("strip after no match") << QStringList{"1931.2", "1922.7"} << none << "" << "" << 10 << "hide" << QStringList{"5", "txttol4"};
        // clang-format on
    }
    void screenReaderView() {
        QFETCH(QStringList, cs);
        QFETCH(QStringList, counts);
        QFETCH(QString, control);
        QFETCH(QString, action);
        QFETCH(int, focusable);
        QFETCH(QString, told);
        QFETCH(QStringList, heard);
        if (QTest::currentDataTag() != QString("compact")) {
            click(w("chk4p"));
        }
        const auto reader = [](QWidget* control) {
            return QAccessible::queryAccessibleInterface(control)->actionInterface();
        };
        for (const QString& c : cs) {
            fill(QStringList{"1950.5", "1900.0", c, "5"} + counts, 0);
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
            // What Orca reads of a panel the focus enters: its description, which
            // newer ones say instead of the labels, and its labels of three words
            // or more that stand in no relation; a caption labels its value.
            QVERIFY(i->role() != QAccessible::Pane || i->text(QAccessible::Description).isEmpty());
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
            "Should be: 1.618|1.618BC at 1880.7184|AB=CD at 1880.7|AB Leg = 505|BC Leg = 312|"
            "Fib. Ratio = 0.618|Signal = BUY at Point D|TP2(0.618AD) at 1923.8364|"
            "TP1(0.618CD) at 1911.909|StopLoss at 1880.2";
        if (counts.isEmpty()) {
            QCOMPARE(panel.join('|'), announced.isEmpty() ? "" : read);
        }
        for (QWidget* control : form->findChildren<QWidget*>()) {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(!showing(i) || i->rect().intersects(client),
                     qPrintable(control->objectName()));
        }
        QAccessibleInterface* spinner = QAccessible::queryAccessibleInterface(w("ud1"));
        QCOMPARE(spinner->valueInterface()->maximumValue(), QVariant(1000));
        said.clear();
        if (action == "wheel") {
            wheel(w(control), 120);
        } else if (action == "Down Up") {
            w(control)->setFocus();
            Key(Qt::Key_Down);
            Key(Qt::Key_Up);
        } else if (!action.isEmpty()) {
            reader(w(control))->doAction(action);
        }
        QTRY_VERIFY(focus());  // after a message box, once the window is active again
        said << w<QLineEdit>("txtts1")->text()
             << (QApplication::activePopupWidget() ? "popup" : focus()->objectName());
        QCOMPARE(said, heard);
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
        // A newer reader says the list's selection as its value: the pick.
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(w("cmbpoint"));
        QAccessibleSelectionInterface* picks = list->selectionInterface();
        QCOMPARE(picks->selectedItemCount() ? picks->selectedItem(0)->text(QAccessible::Name) : "",
                 list->text(QAccessible::Value));
#endif
    }

    // A reader walks a control's text by character, word, sentence and line
    // from an offset (the caret's at the end of a field, where a reader reads
    // on entry), reads the run of its attributes and what is selected of it:
    // a field entered by Tab, the stop's box and the spinner, each whole.
    void readerWalksTheText_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");  // into a field, which is left and entered by Tab
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("walked");  // before|at|after each unit, the run, the selection
        // clang-format off
        QTest::newRow("price") << "txta4" << "1950.5" << 6 << "5|||1950.5|||1950.5||||1950.5||0-6|0-6";
        QTest::newRow("count") << "txtab4" << "10" << 2 << "0|||10|||10||||10||0-2|0-2";
        QTest::newRow("zero") << "txtbc4" << "" << 1 << "0|||0|||0||||0||0-1|0-1";
        QTest::newRow("stop box") << "txtts1" << "" << 0 << "|5|||5|||5|||5||0-1|0-0";
        QTest::newRow("spinner") << "ud1" << "" << 3 << "p|o|i| |points|,||5 points, stop loss 1.9999|||5 points, stop loss 1.9999||0-26|0-0";
        // clang-format on
    }
    void readerWalksTheText() {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(int, at);
        QFETCH(QString, walked);
        click(w("chk4p"));
        if (control.startsWith("txt") && control != "txtts1") {
            typed.isEmpty() ? click(w(control)) : type(qPrintable(control), typed);
            Key(Qt::Key_Backtab);
            Key(Qt::Key_Tab);
        }
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(w(control))->textInterface();
        QStringList read;
        int from = 0, to = 0;
        for (const auto unit : {QAccessible::CharBoundary, QAccessible::WordBoundary,
                                QAccessible::SentenceBoundary, QAccessible::LineBoundary}) {
            read << text->textBeforeOffset(at, unit, &from, &to)
                 << text->textAtOffset(at, unit, &from, &to)
                 << text->textAfterOffset(at, unit, &from, &to);
        }
        text->attributes(at, &from, &to);
        read << QString("%1-%2").arg(from).arg(to);
        text->selection(0, &from, &to);
        read << QString("%1-%2").arg(from).arg(to);
        QCOMPARE(read.join('|'), walked);
        // A reader selects in a field and types over it, as a user does.
        auto* box = qobject_cast<QLineEdit*>(w(control));
        if (auto* editing =
                QAccessible::queryAccessibleInterface(w(control))->editableTextInterface()) {
            const QString was = box->text();
            text->setSelection(0, 1, 2);
            QCOMPARE(box->selectedText(), box->text().mid(1, 1));
            editing->replaceText(0, 1, "9");
            QCOMPARE(box->text(), "9" + was.mid(1));
        }
    }
};

QTEST_MAIN(ReaderTest)
#include "test_reader.moc"
