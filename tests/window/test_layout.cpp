// The built window against the designer's layout, control by control: what
// the user sees at each place (kind, container, position, text, colour, font).
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "fonts.h"
#include "formbuilder.h"
#include "toolkit.h"
#include "updown.h"

using plovatrix::win::OleColor;

namespace {

// A colour that a row does not fix.
constexpr quint32 Any = 0xFFFFFFFFu;

struct Expected {
    const char* name;
    const char* kind;  // the Qt class the control must be
    const char* container;
    int left, top;      // twips
    int width, height;  // twips; 0 x 0 when the control sizes itself to its text
    const char* text;
    quint32 colour;  // text colour, or a panel's back colour
};

// Written from the designer's tables, not from the program's own.
const Expected kControls[] = {
    {"pic2", "QWidget", "frmmain", 0, 2160, 14175, 6615, "", 0x80000008},
    {"Frame5", "QGroupBox", "frmmain", 2520, 120, 11415, 1575, "5 Points Pattern", Any},
    {"Frame2", "QGroupBox", "frmmain", 120, 120, 2175, 1575, "Select...", Any},
    {"frame4", "QGroupBox", "frmmain", 3600, 120, 10335, 1575, "4 Points Pattern", Any},
    {"pic1", "QWidget", "frmmain", 0, 2160, 14175, 6615, "", 0x80000008},
    {"chk4p", "QPushButton", "Frame2", 240, 360, 1695, 375, "4 Points Pattern", Any},
    {"chk5p", "QPushButton", "Frame2", 240, 960, 1695, 375, "5 Points Pattern", Any},
    {"Label40", "QLabel", "frame4", 75, 360, 0, 0, "A", 0x000000FF},
    {"txta4", "QLineEdit", "frame4", 480, 360, 675, 300, "0", Any},
    {"Label25", "QLabel", "frame4", 1440, 360, 255, 375, "B", 0x000000FF},
    {"txtb4", "QLineEdit", "frame4", 1800, 360, 675, 300, "0", Any},
    {"Label27", "QLabel", "frame4", 240, 840, 0, 0, "Number of Candles(A-B)", Any},
    {"txtab4", "QLineEdit", "frame4", 1080, 1080, 675, 300, "0", Any},
    {"Label24", "QLabel", "frame4", 2880, 360, 0, 0, "B=", 0x000000FF},
    {"lblb4", "QLabel", "frame4", 3480, 360, 0, 0, "0", 0x80000008},
    {"Label26", "QLabel", "frame4", 4440, 360, 255, 375, "C", 0x000000FF},
    {"txtc4", "QLineEdit", "frame4", 4800, 360, 675, 300, "0", Any},
    {"Label28", "QLabel", "frame4", 3120, 840, 0, 0, "Number of Candles(B-C)", Any},
    {"txtbc4", "QLineEdit", "frame4", 3960, 1080, 675, 300, "0", Any},
    {"Label29", "QLabel", "frame4", 6120, 360, 0, 0, "Tolerance(pips)", Any},
    {"txttol4", "QLineEdit", "frame4", 7800, 360, 480, 285, "0", Any},
    {"Label1", "QLabel", "frame4", 6120, 960, 0, 0, "Point ", Any},
    {"cmbpoint", "QComboBox", "frame4", 7320, 960, 1335, 315, "", Any},
    {"cmdana", "QPushButton", "frame4", 9000, 240, 1215, 1215, "&Analyze", Any},
    {"Label35", "QLabel", "Frame5", 135, 360, 0, 0, "X", 0x000000FF},
    {"Text12", "QLineEdit", "Frame5", 480, 360, 585, 300, "1.2154", Any},
    {"Label34", "QLabel", "Frame5", 1455, 360, 0, 0, "A", 0x000000FF},
    {"Text11", "QLineEdit", "Frame5", 1800, 360, 585, 300, "1.2154", Any},
    {"Label32", "QLabel", "Frame5", 255, 840, 0, 0, "Number of Candles(X-A)", Any},
    {"Text9", "QLineEdit", "Frame5", 1080, 1080, 585, 300, "1.2154", Any},
    {"Label41", "QLabel", "Frame5", 2640, 360, 0, 0, "A=", 0x80000006},
    {"Label38", "QLabel", "Frame5", 3000, 360, 0, 0, "1.2157", 0x80000008},
    {"Label37", "QLabel", "Frame5", 3975, 360, 0, 0, "B", 0x000000FF},
    {"Text14", "QLineEdit", "Frame5", 4320, 360, 585, 300, "1.2154", Any},
    {"Label31", "QLabel", "Frame5", 2640, 840, 0, 0, "Number of Candles(A-B)", Any},
    {"Text8", "QLineEdit", "Frame5", 3480, 1080, 585, 300, "1.2154", Any},
    {"Label43", "QLabel", "Frame5", 5160, 360, 0, 0, "B=", 0x80000006},
    {"Label42", "QLabel", "Frame5", 5520, 360, 0, 0, "1.2157", 0x80000008},
    {"Label33", "QLabel", "Frame5", 6360, 360, 0, 0, "C", 0x000000FF},
    {"Text10", "QLineEdit", "Frame5", 6720, 360, 585, 300, "1.2154", Any},
    {"Label36", "QLabel", "Frame5", 5205, 840, 0, 0, "Number of Candles(B-C)", Any},
    {"Text13", "QLineEdit", "Frame5", 6045, 1080, 585, 300, "1.2154", Any},
    {"Label30", "QLabel", "Frame5", 7800, 720, 0, 0, "Tolerance(pips)", Any},
    {"Text7", "QLineEdit", "Frame5", 9360, 720, 480, 285, "50", Any},
    {"cmdana5", "QPushButton", "Frame5", 10080, 240, 1215, 1215, "&Analyze", Any},

    {"Label18", "QLabel", "pic1", 480, 600, 0, 0, "A=", 0x000000FF},
    {"lbla", "QLabel", "pic1", 720, 600, 0, 0, "1.2154", 0x000000FF},
    {"Label20", "QLabel", "pic1", 1080, 3960, 0, 0, "B=", 0x000000FF},
    {"lblb", "QLabel", "pic1", 1320, 3960, 0, 0, "1.2154", 0x000000FF},
    {"Label22", "QLabel", "pic1", 3240, 2280, 0, 0, "C=", 0x000000FF},
    {"lblc", "QLabel", "pic1", 3480, 2280, 0, 0, "1.2154", 0x000000FF},
    {"lblfib1", "QLabel", "pic1", 1440, 1080, 0, 0, "0.618", 0x0000FF00},
    {"lblfib2", "QLabel", "pic1", 3000, 4440, 0, 0, "1.618", 0x0000FF00},
    {"lblcan1", "QLabel", "pic1", 1080, 5280, 0, 0, "0", 0x0000FF00},
    {"lblcan2", "QLabel", "pic1", 2520, 5280, 0, 0, "0", 0x0000FF00},
    {"lblcan3", "QLabel", "pic1", 3840, 1200, 0, 0, "0", 0x0000FF00},
    {"lbltfib", "QLabel", "pic1", 1680, 5760, 0, 0, "0", 0x0000FF00},
    {"Label3", "QLabel", "pic1", 4440, 6120, 0, 0, "PRZ(D)", 0x0000FFFF},
    {"Label4", "QLabel", "pic1", 7080, 120, 0, 0, "PRZ(D)", 0x0000FFFF},
    {"lblabcd", "QLabel", "pic1", 8520, 1560, 0, 0, "AB=CD@1.2178", 0x0000FF00},
    {"lblofbc", "QLabel", "pic1", 8520, 2640, 0, 0, "0.618BC@1.2170", 0x0000FF00},
    {"lblt2", "QLabel", "pic1", 6825, 3240, 0, 0, "Missed", 0x0000FF00},
    {"Label12", "QLabel", "pic1", 6720, 3840, 0, 0, "Bullish AB=CD", 0x0000FFFF},
    {"Label6", "QLabel", "pic1", 5760, 4680, 0, 0, "AB Leg = ", 0x0000FF00},
    {"legab(0)", "QLabel", "pic1", 6720, 4680, 0, 0, "0.0000", 0x0000FF00},
    {"Label8", "QLabel", "pic1", 5760, 5160, 0, 0, "BC Leg = ", 0x0000FF00},
    {"legbc(0)", "QLabel", "pic1", 6720, 5160, 0, 0, "0.0000", 0x0000FF00},
    {"Label11", "QLabel", "pic1", 7800, 4920, 0, 0, "Fib. Ratio = ", 0x0000FF00},
    {"zarib(0)", "QLabel", "pic1", 8880, 4920, 0, 0, "0.0000", 0x0000FF00},
    {"Label13", "QLabel", "pic1", 6165, 5880, 0, 0, "Signal = BUY at Point D", 0x0000FF00},
    {"noma1", "QLabel", "pic1", 2640, 3240, 0, 0, "NO Match Found", 0x000000FF},
    {"Label7", "QLabel", "pic1", 11280, 3000, 0, 0, "PRZ(D)", 0x0000FFFF},
    {"lk", "QLabel", "pic1", 11880, 840, 0, 0, "TP2(0.618AD)@", 0x0000FF00},
    {"tp2", "QLabel", "pic1", 13440, 840, 0, 0, "1.2178", 0x0000FF00},
    {"lll", "QLabel", "pic1", 11880, 1440, 0, 0, "TP1(0.618CD)@", 0x0000FF00},
    {"tp1", "QLabel", "pic1", 13440, 1440, 0, 0, "1.2178", 0x0000FF00},
    {"Label2", "QLabel", "pic1", 11160, 5160, 0, 0, "StopLoss@", 0x0000FF00},
    {"sl1", "QLabel", "pic1", 12360, 5160, 0, 0, "1.9999", 0x0000FF00},
    {"txtts1", "QLineEdit", "pic1", 11520, 5520, 735, 375, "5", Any},
    {"ud1", "plovatrix::win::UpDown", "pic1", 12240, 5520, 255, 375, "", Any},

    {"Label49", "QLabel", "pic2", 480, 5880, 0, 0, "A=", 0x000000FF},
    {"lbla2", "QLabel", "pic2", 720, 5880, 0, 0, "1.2154", 0x000000FF},
    {"Label47", "QLabel", "pic2", 1080, 2040, 0, 0, "B=", 0x000000FF},
    {"lblb2", "QLabel", "pic2", 1320, 2040, 0, 0, "1.2154", 0x000000FF},
    {"Label45", "QLabel", "pic2", 3240, 3840, 0, 0, "C=", 0x000000FF},
    {"lblc2", "QLabel", "pic2", 3480, 3840, 0, 0, "1.2154", 0x000000FF},
    {"lblfib12", "QLabel", "pic2", 1605, 4320, 0, 0, "0", 0x0000FF00},
    {"lblfib22", "QLabel", "pic2", 3240, 1560, 0, 0, "0", 0x0000FF00},
    {"lblcan12", "QLabel", "pic2", 720, 840, 0, 0, "NOT GIVEN", 0x0000FF00},
    {"lblcan22", "QLabel", "pic2", 2040, 840, 0, 0, "NOT GIVEN", 0x0000FF00},
    {"lblcan32", "QLabel", "pic2", 3600, 5400, 0, 0, "Missed", 0x0000FF00},
    {"lbltfib2", "QLabel", "pic2", 1545, 360, 0, 0, "Missed", 0x0000FF00},
    {"Label64", "QLabel", "pic2", 4320, 240, 0, 0, "PRZ(D)", 0x0000FFFF},
    {"Label63", "QLabel", "pic2", 7080, 120, 0, 0, "PRZ(D)", 0x0000FFFF},
    {"lblabcd2", "QLabel", "pic2", 8520, 1440, 0, 0, "AB=CD@1.2178", 0x0000FF00},
    {"lblofbc2", "QLabel", "pic2", 8520, 2520, 0, 0, "0.618BC@1.2170", 0x0000FF00},
    {"lblt22", "QLabel", "pic2", 6825, 600, 0, 0, "Missed", 0x0000FF00},
    {"Label55", "QLabel", "pic2", 6600, 4320, 0, 0, "Bearish AB=CD", 0x0000FFFF},
    {"Label14", "QLabel", "pic2", 5760, 4920, 0, 0, "AB Leg = ", 0x0000FF00},
    {"legab(1)", "QLabel", "pic2", 6720, 4920, 0, 0, "0.0000", 0x0000FF00},
    {"Label15", "QLabel", "pic2", 5760, 5400, 0, 0, "BC Leg = ", 0x0000FF00},
    {"legbc(1)", "QLabel", "pic2", 6720, 5400, 0, 0, "0.0000", 0x0000FF00},
    {"Label16", "QLabel", "pic2", 8160, 5160, 0, 0, "Fib. Ratio = ", 0x0000FF00},
    {"zarib(1)", "QLabel", "pic2", 9240, 5160, 0, 0, "0.0000", 0x0000FF00},
    {"Label17", "QLabel", "pic2", 6015, 6000, 0, 0, "Signal =SELL at Point D", 0x000000FF},
    {"noma2", "QLabel", "pic2", 2640, 3120, 0, 0, "NO Match Found", 0x000000FF},
    {"Label60", "QLabel", "pic2", 11160, 3000, 0, 0, "PRZ(D)", 0x0000FFFF},
    {"Label5", "QLabel", "pic2", 11520, 720, 0, 0, "StopLoss@", 0x0000FF00},
    {"sl2", "QLabel", "pic2", 12720, 720, 0, 0, "1.9999", 0x0000FF00},
    {"txtts2", "QLineEdit", "pic2", 12360, 1080, 735, 375, "5", Any},
    {"ud2", "plovatrix::win::UpDown", "pic2", 13080, 1080, 255, 375, "", Any},
    {"Label10", "QLabel", "pic2", 11760, 5160, 0, 0, "TP1(0.618CD)@", 0x0000FF00},
    {"tp11", "QLabel", "pic2", 13320, 5160, 0, 0, "1.2178", 0x0000FF00},
    {"Label9", "QLabel", "pic2", 11760, 5880, 0, 0, "TP2(0.618AD)@", 0x0000FF00},
    {"tp22", "QLabel", "pic2", 13320, 5880, 0, 0, "1.2178", 0x0000FF00},
};

// The drawn separators: name, container, the two ends in twips.
struct ExpectedLine {
    const char* name;
    const char* container;
    int x1, y1, x2, y2;
};
const ExpectedLine kLines[] = {
    {"Line20", "frmmain", 0, 0, 0, 6600},        {"Line33", "frame4", 2760, 120, 2760, 1560},
    {"Line34", "frame4", 5640, 120, 5640, 1560}, {"Line36", "Frame5", 2520, 120, 2520, 1560},
    {"Line35", "Frame5", 5040, 120, 5040, 1560}, {"Line37", "Frame5", 7680, 120, 7680, 1560},
};

QString TextOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text();
    }
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        return box->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return button->text();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        return frame->title();
    }
    if (auto* list = qobject_cast<QComboBox*>(w)) {
        return list->currentText();
    }
    return {};
}

QColor ColourOf(QWidget* w) {
    if (qobject_cast<QLabel*>(w)) {
        return w->palette().color(QPalette::WindowText);
    }
    if (qobject_cast<QLineEdit*>(w)) {
        return w->palette().color(QPalette::Text);
    }
    return w->palette().color(QPalette::Window);
}

}  // namespace

class TestLayout : public QObject {
    Q_OBJECT

    QWidget form_;

    template <typename T = QWidget>
    T* Find(const char* name) {
        return form_.findChild<T*>(QString::fromLatin1(name));
    }

private slots:
    void initTestCase() {
        form_.setObjectName("frmmain");
        plovatrix::win::BuildMainControls(&form_);
        form_.resize(945, 587);
    }

    void controls_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kControls)); ++i) {
            QTest::newRow(kControls[i].name) << i;
        }
    }
    void controls() {
        QFETCH(int, row);
        const Expected& e = kControls[row];
        const auto named = form_.findChildren<QWidget*>(QString::fromLatin1(e.name));
        QCOMPARE(named.size(), 1);
        QWidget* w = named.front();
        QVERIFY2(w->inherits(e.kind), w->metaObject()->className());
        QCOMPARE(w->parentWidget()->objectName(), QString::fromLatin1(e.container));
        QCOMPARE(w->pos(), QPoint(e.left / 15, e.top / 15));
        if (e.width != 0) {
            QCOMPARE(w->size(), QSize(e.width / 15, e.height / 15));
        }
        QCOMPARE(TextOf(w), QString::fromUtf8(e.text));
        if (e.colour != Any) {
            QCOMPARE(ColourOf(w), OleColor(e.colour));
        }
    }

    void lines_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kLines)); ++i) {
            QTest::newRow(kLines[i].name) << i;
        }
    }
    void lines() {
        QFETCH(int, row);
        const ExpectedLine& e = kLines[row];
        QWidget* line = Find(e.name);
        QVERIFY(line);
        QCOMPARE(line->parentWidget()->objectName(), QString::fromLatin1(e.container));
        const QRect span = line->geometry();
        QVERIFY(span.contains(QPoint(e.x1 / 15, e.y1 / 15)));
        QVERIFY(span.contains(QPoint(e.x2 / 15, e.y2 / 15)));
        // A vertical line is thin: it covers no control beside it.
        QVERIFY(span.width() <= 5);
        QVERIFY(line->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void designVisibility_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shown");
        QTest::newRow("Frame2") << "Frame2" << true;
        QTest::newRow("frame4") << "frame4" << false;
        QTest::newRow("Frame5") << "Frame5" << false;
        QTest::newRow("pic1") << "pic1" << true;
        QTest::newRow("pic2") << "pic2" << true;
        QTest::newRow("noma1") << "noma1" << false;
        QTest::newRow("noma2") << "noma2" << false;
        QTest::newRow("lbla") << "lbla" << true;
        QTest::newRow("ud2") << "ud2" << true;
    }
    void designVisibility() {
        QFETCH(QString, name);
        QFETCH(bool, shown);
        QWidget* w = form_.findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(!w->isHidden(), shown);
    }

    // Point size, weight and the face the user actually gets after substitution.
    void fonts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("family");
        QTest::newRow("Frame2") << "Frame2" << 12.0 << true << "Liberation Sans";
        QTest::newRow("frame4") << "frame4" << 12.0 << true << "Liberation Sans";
        QTest::newRow("Label40") << "Label40" << 12.0 << true << "Liberation Sans";
        QTest::newRow("Label27") << "Label27" << 9.75 << false << "Liberation Sans";
        QTest::newRow("txta4 in a bold frame") << "txta4" << 8.25 << false << "Liberation Sans";
        QTest::newRow("cmdana") << "cmdana" << 9.75 << true << "Liberation Sans";
        QTest::newRow("cmdana5") << "cmdana5" << 9.75 << true << "Liberation Sans";
        QTest::newRow("lbla") << "lbla" << 9.75 << false << "Liberation Sans";
        QTest::newRow("Label3") << "Label3" << 12.0 << false << "Liberation Sans";
        QTest::newRow("Label4") << "Label4" << 18.0 << false << "Liberation Sans";
        QTest::newRow("Label12") << "Label12" << 18.0 << false << "Liberation Sans";
        QTest::newRow("Label13") << "Label13" << 13.5 << false << "Liberation Sans";
        QTest::newRow("Label17") << "Label17" << 13.5 << false << "Liberation Sans";
        QTest::newRow("txtts1") << "txtts1" << 9.75 << false << "Liberation Sans";
        QTest::newRow("noma1") << "noma1" << 60.0 << true << "Comic Neue";
        QTest::newRow("noma2") << "noma2" << 60.0 << true << "Comic Neue";
    }
    void fonts() {
        QFETCH(QString, name);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(QString, family);
        QWidget* w = form_.findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(w->font().pointSizeF(), points);
        QCOMPARE(w->font().bold(), bold);
        QCOMPARE(QFontInfo(w->font()).family(), family);
    }

    // Installing the substitutes again (a second window) changes nothing.
    void fontSubstitutesInstallOnce_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("first");
        QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                       << "Liberation Sans";
        QTest::newRow("Arial") << "Arial"
                               << "Liberation Sans";
        QTest::newRow("MV Boli") << "MV Boli"
                                 << "Comic Neue";
    }
    void fontSubstitutesInstallOnce() {
        QFETCH(QString, family);
        QFETCH(QString, first);
        const QStringList before = QFont::substitutes(family);
        plovatrix::win::InstallFontSubstitutes();
        QCOMPARE(QFont::substitutes(family), before);
        QCOMPARE(before.value(0), first.toLower());  // Qt keeps them in lower case
        QCOMPARE(QFontInfo(plovatrix::win::LayoutFont(family, 9.75)).family(), first);
    }

    void alignment_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("centred");
        QTest::newRow("Label40") << "Label40" << true;
        QTest::newRow("Label25") << "Label25" << true;
        QTest::newRow("Label29") << "Label29" << false;
        QTest::newRow("Label33") << "Label33" << false;
        QTest::newRow("Label38") << "Label38" << true;
        QTest::newRow("lbla") << "lbla" << false;
        QTest::newRow("lblfib1") << "lblfib1" << true;
        QTest::newRow("Label13") << "Label13" << true;
        QTest::newRow("Label17") << "Label17" << true;
        QTest::newRow("noma1") << "noma1" << true;
        QTest::newRow("lk") << "lk" << false;
    }
    void alignment() {
        QFETCH(QString, name);
        QFETCH(bool, centred);
        auto* label = form_.findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(bool(label->alignment() & Qt::AlignHCenter), centred);
    }

    // Opaque labels fill their rectangle with their back colour; the rest let
    // the frame or the diagram show through.
    void opacity_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint32>("back");  // 0: transparent
        QTest::newRow("lblb4") << "lblb4" << quint32(0x80000005);
        QTest::newRow("Label38") << "Label38" << quint32(0x80000005);
        QTest::newRow("Label42") << "Label42" << quint32(0x80000005);
        QTest::newRow("noma1") << "noma1" << quint32(0x8000000F);
        QTest::newRow("noma2") << "noma2" << quint32(0x8000000F);
        QTest::newRow("Label24") << "Label24" << quint32(0);
        QTest::newRow("lbla") << "lbla" << quint32(0);
        QTest::newRow("sl2") << "sl2" << quint32(0);
    }
    void opacity() {
        QFETCH(QString, name);
        QFETCH(quint32, back);
        QWidget* w = form_.findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(w->autoFillBackground(), back != 0);
        if (back != 0) {
            QCOMPARE(w->palette().color(QPalette::Window), OleColor(back));
        }
    }

    // A self-sizing label keeps its left and top edges and takes its text's
    // size; a fixed one keeps its box.
    void selfSizing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("sizes");
        QTest::newRow("lbla") << "lbla" << true;
        QTest::newRow("lblt22") << "lblt22" << true;
        QTest::newRow("lblb4") << "lblb4" << true;
        QTest::newRow("Label29") << "Label29" << true;
        QTest::newRow("Label25") << "Label25" << false;
        QTest::newRow("Label26") << "Label26" << false;
    }
    void selfSizing() {
        QFETCH(QString, name);
        QFETCH(bool, sizes);
        auto* label = form_.findChild<QLabel*>(name);
        QVERIFY(label);
        const QRect before = label->geometry();
        if (sizes) {
            QCOMPARE(before.size(), label->sizeHint());
        }
        plovatrix::win::SetCaption(label, "a much longer caption than before");
        QCOMPARE(label->pos(), before.topLeft());
        QCOMPARE(label->width() > before.width(), sizes);
        plovatrix::win::SetCaption(label, "");
        QCOMPARE(label->pos(), before.topLeft());
    }

    void textBoxes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnly");
        for (const char* name :
             {"txta4", "txtb4", "txtc4", "txtab4", "txtbc4", "txttol4", "Text7", "Text8", "Text9",
              "Text10", "Text11", "Text12", "Text13", "Text14"}) {
            QTest::newRow(name) << name << false;
        }
        QTest::newRow("txtts1") << "txtts1" << true;
        QTest::newRow("txtts2") << "txtts2" << true;
    }
    void textBoxes() {
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        auto* box = form_.findChild<QLineEdit*>(name);
        QVERIFY(box);
        QCOMPARE(box->maxLength(), 6);
        QCOMPARE(box->isReadOnly(), readOnly);
    }

    void pointList() {
        auto* list = Find<QComboBox>("cmbpoint");
        QVERIFY(list);
        QVERIFY(!list->isEditable());
        QCOMPARE(list->count(), 4);
        const QStringList entries{"0.1", "0.01", "0.001", "0.0001"};
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(list->itemText(i), entries[i]);
        }
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(list->currentText(), QString());
    }

    void buttons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<bool>("icon");
        QTest::newRow("chk4p") << "chk4p" << true << false;
        QTest::newRow("chk5p") << "chk5p" << true << false;
        QTest::newRow("cmdana") << "cmdana" << false << true;
        QTest::newRow("cmdana5") << "cmdana5" << false << true;
    }
    void buttons() {
        QFETCH(QString, name);
        QFETCH(bool, checkable);
        QFETCH(bool, icon);
        auto* button = form_.findChild<QPushButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->isCheckable(), checkable);
        QVERIFY(!button->isChecked());
        QCOMPARE(!button->icon().isNull(), icon);
    }

    void spinners() {
        for (const char* name : {"ud1", "ud2"}) {
            auto* spinner = Find<plovatrix::win::UpDown>(name);
            QVERIFY(spinner);
            QCOMPARE(spinner->value(), 5);
        }
    }

    void accessibleNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("txta4") << "txta4"
                               << "Price of A";
        QTest::newRow("txtb4") << "txtb4"
                               << "Price of B";
        QTest::newRow("txtc4") << "txtc4"
                               << "Price of C";
        QTest::newRow("txtab4") << "txtab4"
                                << "Number of candles A to B";
        QTest::newRow("txtbc4") << "txtbc4"
                                << "Number of candles B to C";
        QTest::newRow("txttol4") << "txttol4"
                                 << "Tolerance in points";
        QTest::newRow("cmbpoint") << "cmbpoint"
                                  << "Point size";
        QTest::newRow("cmdana") << "cmdana"
                                << "Analyze";
        QTest::newRow("ud1") << "ud1"
                             << "Stop loss distance in points";
        QTest::newRow("ud2") << "ud2"
                             << "Stop loss distance in points";
    }
    void accessibleNames() {
        QFETCH(QString, name);
        QFETCH(QString, spoken);
        QWidget* w = form_.findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(w->accessibleName(), spoken);
    }

    // Every control the keyboard reaches says what it is.
    void everyFocusableControlIsNamedForScreenReaders() {
        for (QWidget* w : form_.findChildren<QWidget*>()) {
            if (w->focusPolicy() & Qt::TabFocus && !w->objectName().isEmpty() &&
                !w->inherits("QAbstractButton")) {
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            }
        }
    }

    // Tab walks the 4-point strip as A, B, C, tolerance, point size, Analyze,
    // candles A-B, candles B-C, then on to the panels' spinners.
    void tabOrder() {
        Find("frame4")->show();
        form_.show();
        QApplication::setActiveWindow(&form_);
        QVERIFY(QTest::qWaitForWindowActive(&form_));
        Find("chk4p")->setFocus();
        const QStringList expected{"chk4p",   "chk5p",    "txta4",  "txtb4",  "txtc4",
                                   "txttol4", "cmbpoint", "cmdana", "txtab4", "txtbc4",
                                   "ud1",     "txtts1",   "txtts2", "ud2",    "chk4p"};
        QStringList seen{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, expected);
        form_.hide();
        Find("frame4")->hide();
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
