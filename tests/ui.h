// How the window, splash and soak tests drive the widgets: clicks land on the
// window and Qt routes them to the control under the pointer, keys go to the
// focused window, and message boxes are closed with OK as they appear.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

namespace ui {

template <typename T = QWidget>
T* Find(const QWidget* root, const QString& name) {
    T* found = root->findChild<T*>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

// A click on the window where `target` is (its centre unless `at` is given).
inline void Click(QWidget* window, QWidget* target, QPoint at = {},
                  Qt::MouseButton button = Qt::LeftButton) {
    if (at.isNull()) {
        at = target->rect().center();
    }
    QTest::mouseClick(window->windowHandle(), button, {}, target->mapTo(window, at));
}

// A key as the platform delivers it: to the focused window, access keys first.
inline void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(QGuiApplication::focusWindow(), key, mods);
}

inline void Type(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

// Some pixel of the area has the colour.
inline bool Has(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.rect().contains(x, y) && image.pixelColor(x, y).rgb() == colour.rgb()) {
                return true;
            }
        }
    }
    return false;
}

// The pixels where two images of one control differ.
inline QList<QPoint> Changed(const QImage& a, const QImage& b) {
    QList<QPoint> changed;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                changed << QPoint(x, y);
            }
        }
    }
    return changed;
}

// Closes every modal message box with OK as it appears and remembers it as
// "title: text", marked " (critical)" when it shows that icon.
class BoxCloser : public QObject {
public:
    BoxCloser() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                const bool critical = box->icon() == QMessageBox::Critical;
                seen << box->windowTitle() + ": " + box->text() + (critical ? " (critical)" : "");
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer_.start(5);
    }
    QStringList seen;

private:
    QTimer timer_;
};

}  // namespace ui
