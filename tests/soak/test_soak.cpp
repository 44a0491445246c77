// A long run of random user events on the real main window: keys to the
// focus, clicks where the controls are, message boxes closed as they appear.
// After every event the window must be in a state its handlers can leave.
//
//   PLOVATRIX_SOAK_EVENTS  how many events (default 15000, about 40 s)
//   PLOVATRIX_SOAK_SEED    replays one run (default: from the clock, printed)
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <random>

#include "frmmain.h"
#include "numbers.h"
#include "reference.h"
#include "ui.h"
#include "updown.h"

namespace {

// One random event on the window; returns what it was.
QString OneEvent(frmmain& form, std::mt19937_64& rng) {
    const auto below = [&](qsizetype n) { return qsizetype(rng() % quint64(n)); };
    if (QWidget* popup = QApplication::activePopupWidget()) {  // the point-size list is open
        const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Return, Qt::Key_Escape};
        QTest::keyClick(popup, keys[below(4)]);
        return "a key in the list";
    }
    // A list closed by a click elsewhere leaves no window active offscreen;
    // a desktop gives the activation back, as here.
    if (QGuiApplication::focusWindow() != form.windowHandle()) {
        form.activateWindow();
        (void)QTest::qWaitForWindowActive(&form);
    }
    QList<QKeyCombination> keys = {Qt::Key_Period,    Qt::Key_Minus, Qt::Key_X,
                                   Qt::Key_Backspace, Qt::Key_Tab,   Qt::Key_Backtab,
                                   Qt::Key_Up,        Qt::Key_Down,  Qt::Key_Return,
                                   Qt::Key_Escape,    Qt::Key_Space, Qt::ALT | Qt::Key_A};
    for (int digit = Qt::Key_0; digit <= Qt::Key_9; ++digit) {
        keys << Qt::Key(digit) << Qt::Key(digit);
    }
    if (below(100) < 63) {
        const QKeyCombination key = keys[below(keys.size())];
        ui::Key(key.key(), key.keyboardModifiers());
        // A mnemonic clicks its button a moment later: let it, so a seed replays.
        (void)QTest::qWaitFor([&] {
            return !ui::Find<QAbstractButton>(&form, "cmdana")->isDown() &&
                   !ui::Find<QAbstractButton>(&form, "cmdana5")->isDown();
        });
        return QKeySequence(key).toString();
    }
    QList<QWidget*> targets =
        form.findChildren<QWidget*>(QRegularExpression("^(chk|txt|cmd|cmb|Frame5|pic1)"));
    for (auto* spinner : form.findChildren<plovatrix::win::UpDown*>()) {
        targets << spinner->upArrow() << spinner->downArrow() << spinner->upArrow();
    }
    QWidget* target = targets[below(targets.size())];
    if (!target->isVisibleTo(&form) || !form.rect().contains(target->mapTo(&form, QPoint(2, 2)))) {
        return "a click out of view";
    }
    ui::Click(&form, target);
    return "click " + target->objectName() + " in " + target->parentWidget()->objectName();
}

// What must hold after every event: what does not, or nothing. `left` is the
// strip field that had the focus before it and that field's text then.
QStringList Broken(frmmain& form, const QLineEdit* left, const QString& text) {
    const auto shown = [&](const char* name) { return ui::Find(&form, name)->isVisibleTo(&form); };
    const auto down = [&](const char* n) {
        return ui::Find<QAbstractButton>(&form, n)->isChecked();
    };
    const QSize size = form.frameGeometry().size();
    QStringList broken;
    // A price must be above 0; the counts and the tolerance may be 0.
    const bool price = left && QString("txta4 txtb4 txtc4").contains(left->objectName());
    if (left && QApplication::focusWidget() != left &&
        !plovatrix::AcceptableNumber(text.toStdString(), !price)) {
        broken << left->objectName() + " let the focus go holding " + text;
    }
    if (QApplication::activeModalWidget()) {
        broken << "a message box stays open";
    }
    if (!QList<QSize>{{171, 158}, {954, 158}, {954, 630}}.contains(size) ||
        (size.width() == 171) != (!down("chk4p") && !down("chk5p")) ||
        (size.height() == 630 && shown("pic1") == shown("pic2")) ||
        shown("frame4") != down("chk4p") || shown("Frame5") != down("chk5p")) {
        broken << QString("size %1x%2 for what is shown").arg(size.width()).arg(size.height());
    }
    for (const QString n : {"1", "2"}) {
        const int value = ui::Find<plovatrix::win::UpDown>(&form, "ud" + n)->value();
        if (ui::Find<QLineEdit>(&form, "txtts" + n)->text() != QString::number(value)) {
            broken << QString("spinner %1 at %2").arg(n).arg(value);
        }
    }
    for (auto* label : form.findChildren<QLabel*>()) {
        const bool echo = label->objectName() == "lblb4";  // what was typed, letters and all
        if (echo ? label->text() != ui::Find<QLineEdit>(&form, "txtb4")->text()
                 : !reference::Clean(label->text().toStdString())) {
            broken << label->objectName() + " reads " + label->text();
        }
    }
    return broken;
}

}  // namespace

class Soak : public QObject {
    Q_OBJECT

private slots:
    void randomEvents() {
        bool given = false;
        quint64 seed = qEnvironmentVariable("PLOVATRIX_SOAK_SEED").toULongLong(&given);
        seed = given ? seed : quint64(QDateTime::currentMSecsSinceEpoch());
        std::mt19937_64 rng(seed);
        const int asked = qEnvironmentVariableIntValue("PLOVATRIX_SOAK_EVENTS", &given);
        const int events = given && asked > 0 ? asked : 15000;
        qInfo("soak: seed %llu, %d events", static_cast<unsigned long long>(seed), events);
        frmmain form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        ui::BoxCloser boxes;
        QStringList recent;
        const QRegularExpression strip("^txt.*4$");  // the fields of the 4-point strip
        for (int i = 1; i <= events; ++i) {
            auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            field = field && strip.match(field->objectName()).hasMatch() ? field : nullptr;
            const QString text = field ? field->text() : QString();
            recent = (recent << OneEvent(form, rng)).mid(recent.size() > 20 ? 1 : 0);
            if (const QStringList broken = Broken(form, field, text); !broken.isEmpty()) {
                QFAIL(qPrintable(QString("event %1: %2\n  last events: %3\n  replay: "
                                         "PLOVATRIX_SOAK_SEED=%4 PLOVATRIX_SOAK_EVENTS=%1")
                                     .arg(i)
                                     .arg(broken.join("; "), recent.join(", "))
                                     .arg(seed)));
            }
        }
        qInfo("soak: %lld message boxes closed", qlonglong(boxes.seen.size()));
    }
};

int main(int argc, char** argv) {
    qputenv("QTEST_FUNCTION_TIMEOUT", "900000");  // a long soak outlasts Qt Test's 5 minutes
    QApplication app(argc, argv);
    Soak soak;
    return QTest::qExec(&soak, argc, argv);
}

#include "test_soak.moc"
