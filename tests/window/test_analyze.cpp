// Analyze as a user works it: a direction's panel and every text on it, the
// stop spinners, no pattern found, prices of every size shown whole, and
// exact numbers at the edges.
#include <QStyle>
#include <ranges>

#include "layout.h"
#include "toolkit.h"
#include "updown.h"
#include "windowtest.h"

using plovatrix::win::UpDown;
namespace win = plovatrix::win;

class AnalyzeTest : public WindowTest {
    Q_OBJECT

    // What the result labels of a panel show, in the order of PanelTextList.
    QStringList results(std::string_view panel) {
        QStringList texts;
        for (const auto& [name, text] : plovatrix::PanelTextList) {
            const auto row = std::ranges::find_if(win::PanelRows(), [&](const win::ControlRow& r) {
                return r.container == panel && r.shows == text;
            });
            texts << label(QByteArray(row->name.data(), qsizetype(row->name.size())));
        }
        return texts;
    }

private slots:
    // Analyze shows a direction's panel; its spinner moves the stop from D.
    void analyzeAndTheStopSpinners() {
        click(w("chk4p"));
        click(w("cmdana"));  // every field still "0": the focus goes to A, silently
        QCOMPARE(focus(), w("txta4"));
        analyze({"1.3000", "1.2000", "1.2618", "5", "3", "2"});
        QCOMPARE(size(), QSize(954, 630));
        QVERIFY(shown("pic1") && !shown("pic2") && !shown("noma1"));
        QCOMPARE(results("pic1"),
                 QStringList({"1.3000", "1.2000", "1.2618", "3", "2", "Should be: 3", "0.667",
                              "Should be: 3 Candle(s)", "1000", "618", "0.618", " .618( .618)",
                              "Should be: 1.618", " 1.618BC@ 1.1618", "AB=CD@ 1.1618", "1.1613",
                              "1.2236", "1.2472"}));
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
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
            Key(key);
        }
        QCOMPARE(w<QLineEdit>("txtts1")->text(), QString("9"));
        ud1->setValue(1);
        for (int i = 0; i < 3; ++i) {
            click(ud1->downArrow());
        }
        QCOMPARE(w<QLineEdit>("txtts1")->text(), QString("0"));
        QCOMPARE(label("sl1"), QString("1.1618"));  // 0 points: D itself

        analyze({"1.2000", "1.3000", "1.2618", "5", "10", "4"});
        QVERIFY(shown("pic2") && !shown("pic1") && !shown("noma2"));
        QCOMPARE(results("pic2"),
                 QStringList({"1.2000", "1.3000", "1.2618", "10", "4", "Should be: 10", "0.4",
                              "Should be: 10 Candle(s)", "1000", "382", "0.382", " .382( .382)",
                              "Should be: 2.24", "AB=CD@ 1.3618", " 2.24BC@ 1.3474", "1.3623",
                              "1.3", "1.2618"}));
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
        // clang-format off
        const struct { QStringList fields; int point, clicks; } rows[] = {  // fields: as fill()
            {{"1950.5", "1900.0", "1931.2"}, 0, 0}, {{"1.3000", "1.2000", "1.2618", "5", "10", "4"}, 3, 0},
            {{"1900.0", "1950.5", "1919.3"}, 0, 0}, {{"3072.1", "2327.1", "2787.5", "50"}, 0, 0},
            {{"151.50", "150.00", "150.93", "5", "999999", "123456"}, 1, 0},
            {{"38500", "39500", "38882", "5", "99999", "1"}, 0, 0},
            {{"1969.6", "1919.6", "1950.5"}, 0, 5}, {{"9930.3", "9980.3", "9949.4"}, 0, 2}};
        // clang-format on
        for (const auto& [fields, point, clicks] : rows) {
            analyze(fields, point);
            QWidget* panel = w(shown("pic1") ? "pic1" : "pic2");
            for (int i = 0; i < clicks; ++i) {
                click(panel->findChild<UpDown*>()->upArrow());
            }
            QList<QPair<QString, QRect>> texts;        // of the labels checked so far
            QMap<QString, QPair<QString, int>> value;  // by caption: its value and shift
            for (const win::ControlRow& r : std::views::reverse(win::PanelRows())) {
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
                const QByteArray what =
                    (fields.join(' ') + ": " + name + " " + label->text()).toUtf8();
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

    // A comma locale's point where a number stands alone, also in the stop a
    // spinner step rewrites; the typed point elsewhere.
    void aCommaLocale() {
        click(w("chk4p"));
        QLocale::setDefault(QLocale(QLocale::German));
        analyze({"1.3000", "1.2000", "1.2618"});
        click(w<UpDown>("ud1")->upArrow());
        QCOMPARE(QStringList({label("zarib(0)"), label("lblfib1"), label("lblofbc"), label("sl1"),
                              label("tp2")}),
                 QStringList({"0,618", " .618( .618)", "AB=CD@ 1.1618", "1,1612", "1,2472"}));
    }
};

QTEST_MAIN(AnalyzeTest)
#include "test_analyze.moc"
