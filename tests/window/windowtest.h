// What the window tests share: a fresh main window for each test, shown and
// active, its message boxes closed with OK as they appear, and the ways a
// user reaches it: clicks, keys, typing, the wheel, a whole analysis.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <memory>

#include "accessibility.h"
#include "frmmain.h"
#include "ui.h"

using ui::Key;
using ui::Type;

class WindowTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<frmmain> form;
    std::unique_ptr<ui::BoxCloser> boxes;

    template <typename T = QWidget>
    T* w(const QString& name) {
        return ui::Find<T>(form.get(), name);
    }
    QString label(const char* name) { return w<QLabel>(name)->text(); }
    QSize size() const { return form->frameGeometry().size(); }
    bool shown(const char* name) { return w(name)->isVisibleTo(form.get()); }
    void click(QWidget* target) { ui::Click(form.get(), target); }
    QWidget* focus() { return QApplication::focusWidget(); }
    void type(const char* field, const QString& text) {
        click(w(field));
        Key(Qt::Key_Backspace);  // the whole text is selected: clear it
        Type(text);
    }
    // Types A, B, C, the tolerance ("5") and the two counts ("0"), and picks
    // the point size (0.1 0.01 0.001 0.0001) by the keyboard, ending on the list.
    void fill(const QStringList& texts, int point = 3) {
        const char* fields[] = {"txta4", "txtb4", "txtc4", "txttol4", "txtab4", "txtbc4"};
        for (int i = 0; i < 6; ++i) {
            type(fields[i], texts.value(i, i == 3 ? "5" : "0"));
        }
        click(w("txttol4"));
        Key(Qt::Key_Tab);
        Key(Qt::Key_Home);
        for (int i = 0; i < point; ++i) {
            Key(Qt::Key_Down);
        }
    }
    void analyze(const QStringList& texts, int point = 3) {
        fill(texts, point);
        click(w("cmdana"));
    }
    // A wheel turn over the control, as the platform sends it to the window.
    void wheel(QWidget* over, int delta) {
        const QPointF at = over->mapTo(form.get(), over->rect().center());
        QWheelEvent turn(at, form->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->windowHandle(), &turn);
    }

protected slots:
    void initTestCase() { plovatrix::win::InstallAccessibility(); }
    void init() {
        form = std::make_unique<frmmain>();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        boxes = std::make_unique<ui::BoxCloser>();
    }
    void cleanup() {
        boxes.reset();
        form.reset();
        QApplication::setPalette(QPalette());  // back to the plain one
        QLocale::setDefault(QLocale::c());
    }
};
