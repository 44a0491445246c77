// What the panels and frames look like on screen, pixel by pixel where it
// matters: the legs, the hatched ovals, the dividers and the background.
#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QTest>

#include "classiccontrols.h"
#include "formbuilder.h"
#include "toolkit.h"

using plovatrix::win::OleColor;

namespace {

enum class Probe {
    Pixel,    // the pixel at (x, y) has the colour
    Near,     // some pixel within 1 of (x, y) has it (a thin slanted line)
    Hatched,  // the 17 x 17 square around (x, y) shows the colour and the background
    Width,    // the colour runs exactly n pixels wide across row y around x
    Broken,   // along row y, x +- 120, the colour alternates with the background
};

struct Sample {
    const char* what;
    const char* widget;
    Probe probe;
    int x, y;  // logical pixels in the widget
    quint32 colour;
    int n = 0;
};

constexpr quint32 Red = 0x000000FF;
constexpr quint32 LightYellow = 0x00C0FFFF;
constexpr quint32 ActiveBorder = 0x8000000A;
constexpr quint32 PanelBack = 0x80000008;
constexpr quint32 WindowText = 0x80000008;

const Sample kSamples[] = {
    {"pic1 leg AB", "pic1", Probe::Near, 80, 160, Red},
    {"pic1 leg CD", "pic1", Probe::Near, 264, 272, Red},
    {"pic1 leg BC", "pic1", Probe::Near, 172, 216, Red},
    {"pic1 PRZ oval hatch", "pic1", Probe::Hatched, 500, 148, LightYellow},
    {"pic1 PRZ oval outline", "pic1", Probe::Near, 480, 148, Red},
    {"pic1 left divider", "pic1", Probe::Pixel, 360, 100, ActiveBorder},
    {"pic1 left divider width", "pic1", Probe::Width, 360, 100, ActiveBorder, 3},
    {"pic1 right divider width", "pic1", Probe::Width, 680, 300, ActiveBorder, 3},
    {"pic1 title divider is dashed", "pic1", Probe::Broken, 520, 248, ActiveBorder},
    {"pic1 background, top left", "pic1", Probe::Pixel, 150, 20, PanelBack},
    {"pic1 background, top right", "pic1", Probe::Pixel, 900, 20, PanelBack},
    {"pic2 leg AB", "pic2", Probe::Near, 80, 256, Red},
    {"pic2 leg CD", "pic2", Probe::Near, 264, 160, Red},
    {"pic2 PRZ oval hatch", "pic2", Probe::Hatched, 500, 140, LightYellow},
    {"pic2 right divider", "pic2", Probe::Pixel, 680, 100, ActiveBorder},
    {"pic2 right divider width", "pic2", Probe::Width, 680, 100, ActiveBorder, 3},
    {"pic2 title divider is dashed", "pic2", Probe::Broken, 520, 280, ActiveBorder},
    {"pic2 background", "pic2", Probe::Pixel, 250, 330, PanelBack},
    {"Line33 in frame4", "frame4", Probe::Width, 184, 60, WindowText, 1},
    {"Line34 in frame4", "frame4", Probe::Pixel, 376, 60, WindowText},
    {"Line36 in Frame5", "Frame5", Probe::Pixel, 168, 60, WindowText},
    {"Line37 in Frame5", "Frame5", Probe::Pixel, 512, 60, WindowText},
};

// Colours compare by their RGB value, whatever spec they were made in.
bool Same(const QColor& a, const QColor& b) {
    return a.rgba() == b.rgba();
}

bool Has(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.rect().contains(x, y) && Same(image.pixelColor(x, y), colour)) {
                return true;
            }
        }
    }
    return false;
}

int RunWidth(const QImage& image, int x, int y, const QColor& colour) {
    int left = x;
    int right = x;
    while (left > 0 && Same(image.pixelColor(left - 1, y), colour)) {
        --left;
    }
    while (right + 1 < image.width() && Same(image.pixelColor(right + 1, y), colour)) {
        ++right;
    }
    return Same(image.pixelColor(x, y), colour) ? right - left + 1 : 0;
}

// The widget as it appears, at the given device pixel ratio.
QImage Picture(QWidget* w, qreal ratio = 1.0) {
    QImage image(w->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    w->render(&image);
    image.setDevicePixelRatio(1.0);
    return image;
}

}  // namespace

class TestRender : public QObject {
    Q_OBJECT

    QWidget form_;

    QWidget* Find(const char* name) { return form_.findChild<QWidget*>(QString::fromLatin1(name)); }

private slots:
    void initTestCase() {
        form_.setObjectName("frmmain");
        plovatrix::win::BuildMainControls(&form_);
        form_.resize(945, 587);
        Find("frame4")->show();
        Find("Frame5")->show();
        form_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form_));
    }

    void samples_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kSamples)); ++i) {
            QTest::newRow(kSamples[i].what) << i;
        }
    }
    void samples() {
        QFETCH(int, row);
        const Sample& s = kSamples[row];
        QWidget* w = Find(s.widget);
        QVERIFY(w);
        const QImage image = w->grab().toImage();
        const QColor colour = OleColor(s.colour);
        const QColor back = w->palette().color(QPalette::Window);
        switch (s.probe) {
            case Probe::Pixel:
                QCOMPARE(image.pixelColor(s.x, s.y).name(), colour.name());
                break;
            case Probe::Near:
                QVERIFY(Has(image, QRect(s.x - 1, s.y - 1, 3, 3), colour));
                break;
            case Probe::Hatched: {
                const QRect square(s.x - 8, s.y - 8, 17, 17);
                QVERIFY(Has(image, square, colour));
                QVERIFY(Has(image, square, back));
                break;
            }
            case Probe::Width:
                QCOMPARE(RunWidth(image, s.x, s.y, colour), s.n);
                break;
            case Probe::Broken: {
                const QRect run(s.x - 120, s.y, 241, 1);
                QVERIFY(Has(image, run, colour));
                QVERIFY(Has(image, run, back));
                break;
            }
        }
    }

    // At 200 % the diagram scales as one: lines twice as wide, same places.
    void doubledScale_data() {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("width");
        QTest::newRow("pic1 left divider") << "pic1" << 360 << 100 << 6;
        QTest::newRow("pic2 right divider") << "pic2" << 680 << 100 << 6;
        QTest::newRow("pic1 vertical at D, dotted, width 1") << "pic1" << 320 << 33 << 2;
    }
    void doubledScale() {
        QFETCH(QString, panel);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, width);
        QWidget* w = form_.findChild<QWidget*>(panel);
        const QImage one = Picture(w);
        const QImage two = Picture(w, 2.0);
        QCOMPARE(two.size(), one.size() * 2);
        // A dotted line has gaps: take the first drawn pixel from y down.
        const QColor back = w->palette().color(QPalette::Window);
        while (Same(one.pixelColor(x, y), back)) {
            ++y;
        }
        const QColor colour = one.pixelColor(x, y);
        QCOMPARE(RunWidth(two, 2 * x, 2 * y, colour), width);
    }

    // The "NO Match Found" box, when shown, covers the middle of its panel
    // with the button-face colour.
    void noMatchCoversTheMiddle_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("panel");
        QTest::newRow("noma1") << "noma1"
                               << "pic1";
        QTest::newRow("noma2") << "noma2"
                               << "pic2";
    }
    void noMatchCoversTheMiddle() {
        QFETCH(QString, label);
        QFETCH(QString, panel);
        auto* noma = form_.findChild<QLabel*>(label);
        QWidget* pic = form_.findChild<QWidget*>(panel);
        noma->show();
        const QRect box = noma->geometry();
        QVERIFY(box.contains(pic->rect().center()));
        QVERIFY(pic->rect().contains(box));
        const QImage image = pic->grab().toImage();
        QVERIFY(Same(image.pixelColor(box.topLeft() + QPoint(2, 2)), OleColor(0x8000000F)));
        QVERIFY(Has(image, box, OleColor(0x000000FF)));
        noma->hide();
    }

    // The face colour a handler sets is the colour the user sees.
    void toggleFaceShowsItsColour_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<bool>("checked");
        QTest::newRow("chk4p red, down") << "chk4p" << quint32(0x000000FF) << true;
        QTest::newRow("chk4p face, up") << "chk4p" << quint32(0x8000000F) << false;
        QTest::newRow("chk5p red, down") << "chk5p" << quint32(0x000000FF) << true;
        QTest::newRow("chk5p face, up") << "chk5p" << quint32(0x8000000F) << false;
    }
    void toggleFaceShowsItsColour() {
        QFETCH(QString, name);
        QFETCH(quint32, colour);
        QFETCH(bool, checked);
        auto* button = form_.findChild<QAbstractButton*>(name);
        button->setChecked(checked);
        plovatrix::win::SetFaceColour(button, OleColor(colour));
        const QImage image = button->grab().toImage();
        QVERIFY(Same(image.pixelColor(6, button->height() / 2), OleColor(colour)));
        QVERIFY(
            Same(image.pixelColor(button->width() - 7, button->height() / 2), OleColor(colour)));
        button->setChecked(false);
    }

    // The Analyze buttons show the icon above the caption.
    void analyzeShowsIconAboveCaption_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("cmdana") << "cmdana";
        QTest::newRow("cmdana5") << "cmdana5";
    }
    void analyzeShowsIconAboveCaption() {
        QFETCH(QString, name);
        QWidget* button = form_.findChild<QWidget*>(name);
        const QImage image = button->grab().toImage();
        const QColor face = button->palette().color(QPalette::Button);
        const QColor ink = button->palette().color(QPalette::ButtonText);
        const int middle = button->width() / 2;
        // Upper half: the icon's tile, neither face nor caption ink.
        bool icon = false;
        for (int y = 4; y < button->height() / 2; ++y) {
            const QColor c = image.pixelColor(middle, y);
            icon = icon || (!Same(c, face) && !Same(c, ink) && c.value() < 100);
        }
        QVERIFY(icon);
        // Lower half: the caption's ink.
        QVERIFY(
            Has(image,
                QRect(4, button->height() / 2 + 8, button->width() - 8, button->height() / 2 - 12),
                ink));
    }
};

QTEST_MAIN(TestRender)
#include "test_render.moc"
