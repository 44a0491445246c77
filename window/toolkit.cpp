#include "toolkit.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace plovatrix::win {

QColor OleColor(quint32 value) {
    if (value & 0x80000000u) {
        const QPalette palette = QApplication::palette();
        switch (value & 0xFFu) {
            case 0x05:
                return palette.color(QPalette::Base);  // window background
            case 0x06:
                return palette.color(QPalette::WindowText);  // window frame
            case 0x08:
                return palette.color(QPalette::Text);  // window text
            case 0x0A:
                return palette.color(QPalette::Mid);  // active border
            case 0x0B:
                return palette.color(QPalette::Midlight);  // inactive border
            case 0x0F:
                return palette.color(QPalette::Button);  // button face
            default:
                return palette.color(QPalette::Window);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

void SetAutoSize(QLabel* label, bool on) {
    label->setProperty("autoSize", on);
    if (on) {
        label->adjustSize();
    }
}

void SetCaption(QLabel* label, const QString& text) {
    label->setText(text);
    if (label->property("autoSize").toBool()) {
        label->resize(label->sizeHint());
    }
}

void SetOuterSize(QWidget* window, int widthTwips, int heightTwips, QSize frame) {
    const QSize client = QSize(Px(widthTwips), Px(heightTwips)) - frame;
    // Under Wayland the toolkit draws the title bar, with a maximize button
    // whatever the hints say, and a size the compositor did not configure is
    // refused while the window is maximized (weston ends the connection): the
    // window stays resizable there.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        window->resize(client);
        return;
    }
    const Qt::WindowStates filling = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (window->windowState() & filling) {
        // Back where it was before, not where the filling state had put it.
        const QPoint normal = window->normalGeometry().topLeft();
        window->setWindowState(window->windowState() & ~filling);
        window->setFixedSize(client);
        window->setGeometry(QRect(normal, client));
        return;
    }
    window->setFixedSize(client);
}

QPoint OpeningPosition(const QRect& available, QSize full) {
    const QSize room = (available.size() - full).expandedTo(QSize(0, 0));
    return available.topLeft() + QPoint(room.width() / 2, room.height() / 2);
}

void ShowMessage(QWidget* parent, const QString& text, const QString& title,
                 QMessageBox::Icon icon) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
    // Hand the activation back, so the focus returns to the field that had it
    // also where no window manager does that for us.
    if (parent) {
        parent->window()->activateWindow();
    }
}

}  // namespace plovatrix::win
