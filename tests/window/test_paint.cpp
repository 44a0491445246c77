// What the built window paints, pixel by pixel where it matters: the panels'
// legs, hatched ovals and dividers, the no-match cover, the Analyze icon; and
// the few places the panels' texts are measured from.
#include <QImage>
#include <QLabel>
#include <QRegularExpression>

#include "formbuilder.h"
#include "ui.h"

using ui::Has;

namespace {

constexpr QRgb Red = 0xFFFF0000, LightYellow = 0xFFFFFFC0, Black = 0xFF000000;
// The active border, a system colour.
QColor Border() {
    return QApplication::palette().color(QPalette::Mid);
}

// A pixel of the colour (0: the active border, a system colour) within `near`
// pixels of the point; `n` > 0 widens the row by n each side and asks for the
// background there too (a hatch, a dash).
// clang-format off
const struct Sample { const char *what, *widget; QPoint at; QRgb colour; int near, n; } Samples[] = {
    {"pic1 leg AB", "pic1", {80, 160}, Red, 1, 0}, {"pic1 leg BC", "pic1", {172, 216}, Red, 1, 0},
    {"pic1 leg CD", "pic1", {264, 272}, Red, 1, 0}, {"pic1 PRZ hatch", "pic1", {500, 148}, LightYellow, 8, 1},
    {"pic1 PRZ outline", "pic1", {480, 148}, Red, 1, 0}, {"pic1 divider", "pic1", {360, 100}, 0, 0, 0},
    {"pic1 title rule dashed", "pic1", {520, 248}, 0, 0, 120}, {"pic2 leg AB", "pic2", {80, 256}, Red, 1, 0},
    {"pic2 leg CD", "pic2", {264, 160}, Red, 1, 0}, {"pic2 PRZ hatch", "pic2", {500, 140}, LightYellow, 8, 1},
    {"pic2 divider", "pic2", {680, 100}, 0, 0, 0}, {"frame4 Line34", "frame4", {376, 60}, Black, 0, 0},
};
// clang-format on

}  // namespace

class PaintTest : public QObject {
    Q_OBJECT

    QWidget form_;

    QWidget* Find(const QString& name) { return form_.findChild<QWidget*>(name); }

private slots:
    void initTestCase() {
        form_.setObjectName("frmmain");
        plovatrix::win::BuildMainControls(&form_);
        form_.resize(945, 587);
        Find("frame4")->show();
        form_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form_));
    }

    void samples_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(Samples)); ++i) {
            QTest::newRow(Samples[i].what) << i;
        }
    }
    void samples() {
        QFETCH(int, row);
        const Sample& s = Samples[row];
        QWidget* w = Find(s.widget);
        const QImage image = w->grab().toImage();
        const QRect area = QRect(s.at, s.at).adjusted(-s.near - s.n, -s.near, s.near + s.n, s.near);
        QVERIFY(Has(image, area, s.colour ? QColor::fromRgb(s.colour) : Border()));
        QVERIFY(s.n == 0 || Has(image, area, w->palette().color(QPalette::Window)));
    }

    void dividersAreThreePixelsWide() {
        const QImage image = Find("pic1")->grab().toImage();
        int run = 0;
        for (int x = 350; x < 370; ++x) {
            run += image.pixelColor(x, 100).rgb() == Border().rgb() ? 1 : 0;
        }
        QCOMPARE(run, 3);
    }

    void texts() {
        // The lines are thin: they cover no control beside them.
        for (QWidget* w : form_.findChildren<QWidget*>(QRegularExpression("^Line"))) {
            QVERIFY2(qMin(w->width(), w->height()) <= 5, qPrintable(w->objectName()));
        }
        const QList<QPair<const char*, QPoint>> places = {
            {"lbla", {48, 40}}, {"lblabcd", {568, 104}}, {"sl1", {824, 344}}, {"lblb2", {88, 136}}};
        for (const auto& [name, at] : places) {
            QCOMPARE(Find(name)->pos(), at);
        }
    }

    // "NO Match Found", when shown, covers the middle of its panel in the
    // button face, in red.
    void noMatchCoversTheMiddle() {
        for (const char* panel : {"pic1", "pic2"}) {
            QWidget* pic = Find(panel);
            QLabel* noma = pic->findChildren<QLabel*>(QRegularExpression("^noma")).front();
            noma->show();
            const QRect box = noma->geometry();
            QVERIFY(box.contains(pic->rect().center()) && pic->rect().contains(box));
            const QImage image = pic->grab().toImage();
            QCOMPARE(image.pixelColor(box.topLeft() + QPoint(2, 2)),
                     QApplication::palette().color(QPalette::Button));
            QVERIFY(Has(image, box, QColor::fromRgb(Red)));
            noma->hide();
        }
    }

    // Analyze shows its icon, a dark tile, above the caption.
    void analyzeShowsIconAboveCaption() {
        QWidget* button = Find("cmdana");
        const QImage image = button->grab().toImage();
        const int middle = button->width() / 2, half = button->height() / 2;
        bool icon = false;
        for (int y = 4; y < half; ++y) {
            icon = icon || image.pixelColor(middle, y).value() < 100;
        }
        QVERIFY(icon);
        const QColor ink = button->palette().color(QPalette::ButtonText);
        QVERIFY(Has(image, QRect(4, half + 8, button->width() - 8, half - 12), ink));
    }
};

QTEST_MAIN(PaintTest)
#include "test_paint.moc"
