// What the windows paint, and how they show it: the controls in the literal
// colours the design fixes, the texts readable on a dark palette, and each
// control's focus shown by a mark that leaves its face as it was.
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleFactory>
#include <ranges>

#include "formbuilder.h"
#include "frmsplash.h"
#include "windowtest.h"

namespace {

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

class PaintingTest : public WindowTest {
    Q_OBJECT

private slots:
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
        QCOMPARE(std::ranges::count_if(std::views::iota(350, 370),  // the divider: 3 pixels wide
                                       [&](int x) { return pic1.pixel(x, 100) == border.rgb(); }),
                 3);
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
        QVERIFY(
            ui::Has(image, QRect(button->width() / 2, 4, 1, half - 4), QColor(0x20, 0x24, 0x30)));
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

    // On a dark palette, given before the windows are built or while they run,
    // every text shown reads at 3:1 at least (WCAG) on the commonest colour of
    // its box; the link colour is left blue, as some dark themes leave it.
    void readableOnADarkPalette_data() {
        QTest::addColumn<QString>("window");  // the splash, or the main window's state
        QTest::addColumn<bool>("later");      // the palette given while the window runs
        for (const char* window : {"splash", "strip", "bullish", "bearish"}) {
            QTest::newRow(window) << QString(window) << false;
        }
        QTest::newRow("splash later") << "splash" << true;
        QTest::newRow("strip later") << "strip" << true;
    }

    void readableOnADarkPalette() {
        QFETCH(QString, window);
        QFETCH(bool, later);
        const QPalette dark(QColor(0x40, 0x40, 0x40), QColor(0x40, 0x40, 0x40));
        if (!later) {
            QApplication::setPalette(dark);
            form = std::make_unique<frmmain>();
        }
        std::unique_ptr<QWidget> splash(window == "splash" ? new frmSplash : nullptr);
        QWidget* shown = splash ? splash.get() : form.get();
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        if (!splash) {
            click(w("chk4p"));
        }
        if (window == "bullish" || window == "bearish") {  // B below A is bullish
            analyze({window == "bullish" ? "1.3" : "1.2", window == "bullish" ? "1.2" : "1.3",
                     "1.2618"});
        }
        QApplication::setPalette(dark);
        QApplication::processEvents();
        const QImage image = shown->grab().toImage();
        std::pair<double, QString> lowest{21, ""};
        for (QWidget* c : shown->findChildren<QWidget*>()) {
            const QRect box(c->mapTo(shown, QPoint()), c->size());
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
        QVERIFY2(lowest.first < 3.3, "an ink mixed more than just enough");
    }

    // Each control shows its focus by a mark that leaves its face as it was.
    void focusShownOnTheSameFace_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("backtabs");  // from chk4p; -1: the list focused by a click
        QTest::addColumn<bool>("dotted");   // the classic dotted mark, not the style's own
        QTest::newRow("selected pattern") << "chk4p" << 0 << true;
        QTest::newRow("box") << "txtts1" << 1 << false;
        QTest::newRow("spinner") << "ud1" << 2 << true;
        QTest::newRow("button") << "cmdana" << 5 << true;
        QTest::newRow("list") << "cmbpoint" << -1 << false;
    }

    void focusShownOnTheSameFace() {
        QFETCH(QString, name);
        QFETCH(int, backtabs);
        QFETCH(bool, dotted);
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
        const QList<QPoint> changed = ui::Changed(focused, unfocused);
        const auto runs = std::ranges::count_if(  // changed pixels with a changed one to the right
            changed, [&](QPoint p) { return changed.contains(p + QPoint(1, 0)); });
        QVERIFY(!changed.isEmpty());  // the focus shows
        QVERIFY2(!dotted || runs < changed.size() / 8, "a dotted mark");
        QVERIFY2(changed.size() < focused.width() * focused.height() / 4, "a mark, not a new face");
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
                for (const QPoint& p : ui::Changed(shown, empty)) {
                    std::tie(from, to) = std::pair(std::min(from, p.x()), std::max(to, p.x()));
                }
                if (to - from + 2 < QFontMetrics(box->font()).boundingRect(text).width()) {
                    cut << QString("%1 %2").arg(field, text);
                }
            }
        }
        QCOMPARE(cut, QStringList());
    }
};

QTEST_MAIN(PaintingTest)
#include "test_painting.moc"
