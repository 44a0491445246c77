#include "windowgeometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "toolkit.h"

namespace plovatrix::win {

namespace {

constexpr Qt::WindowStates Filling = Qt::WindowMaximized | Qt::WindowFullScreen;

}  // namespace

QPoint OpeningPosition(const QRect& available, QSize full) {
    const QSize room = (available.size() - full).expandedTo(QSize(0, 0));
    return available.topLeft() + QPoint(room.width() / 2, room.height() / 2);
}

WindowGeometry::WindowGeometry(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
}

void WindowGeometry::Open(QSize largest) {
    const QSize full(Px(largest.width()), Px(largest.height()));
    window_->move(OpeningPosition(window_->screen()->availableGeometry(), full));
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        placing_ = largest;
        Resize(Client());
    }
}

void WindowGeometry::SetOuterSize(int widthTwips, int heightTwips) {
    outer_ = QSize(widthTwips, heightTwips);
    Resize(Client());
}

QSize WindowGeometry::Client() const {
    const QSize outer = placing_.isValid() ? placing_ : outer_;
    return QSize(Px(outer.width()), Px(outer.height())) - frame_;
}

void WindowGeometry::Resize(QSize client) {
    if (window_->windowState() & Filling) {
        // Back where it was before, not where the filling state had put it.
        const QPoint normal = window_->normalGeometry().topLeft();
        window_->setWindowState(window_->windowState() & ~Filling);
        window_->setGeometry(QRect(normal, client));
        return;
    }
    window_->resize(client);
}

bool WindowGeometry::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
            FitFrame();
            break;
        case QEvent::ActivationChange:
            // The compositor activates the window once it has placed it; the
            // designed size follows the configure that came with that.
            if (placing_.isValid() && window_->isActiveWindow()) {
                placing_ = QSize();
                QTimer::singleShot(0, this, [this] { Resize(Client()); });
            }
            break;
        case QEvent::WindowStateChange:
            // Undone once the platform has done with the change it reports;
            // the window manager puts back the size and corner it had.
            if (window_->windowState() & Filling) {
                QTimer::singleShot(0, this, [this] {
                    window_->setWindowState(window_->windowState() & ~Filling);
                });
            }
            break;
        default:
            break;
    }
    return false;
}

void WindowGeometry::FitFrame() {
    // The frame is known only once the window is framed: where the toolkit
    // draws it (Wayland), as soon as the window is shown, before its first
    // frame; where a window manager draws it (X11), when that moves the window.
    // The frame is taken in the normal state only: a maximized window's differs
    // (openbox drops the border).
    if (!framed_ && window_->isVisible() && !(window_->windowState() & Filling) &&
        window_->frameGeometry().size() != window_->geometry().size()) {
        framed_ = true;
        frame_ = window_->frameGeometry().size() - window_->geometry().size();
        Resize(Client());
    }
}

}  // namespace plovatrix::win
