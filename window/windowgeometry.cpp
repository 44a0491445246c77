#include "windowgeometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "toolkit.h"

namespace plovatrix::win {

constexpr Qt::WindowStates Filling = Qt::WindowMaximized | Qt::WindowFullScreen;

QPoint OpeningPosition(const QRect& available, QSize full) {
    const QSize room = (available.size() - full).expandedTo(QSize(0, 0));
    return available.topLeft() + QPoint(room.width() / 2, room.height() / 2);
}

QSize ClientArea(QSize outerTwips, QSize frame) {
    const QSize around =
        frame.isNull() ? QSize(Px(ClassicFrame.width()), Px(ClassicFrame.height())) : frame;
    return QSize(Px(outerTwips.width()), Px(outerTwips.height())) - around;
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
    // Only the first size a handler sets is left where the compositor can
    // see it: what the window shows is committed between handlers.
    if (!settling_) {
        settling_ = true;
        left_ = window_->isVisible() ? window_->size() : QSize();
        QTimer::singleShot(0, this, [this] { settling_ = false; });
    }
    Resize(Client());
}

QSize WindowGeometry::Client() const {
    return ClientArea(placing_.isValid() ? placing_ : outer_, frame_);
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

void WindowGeometry::Resized() {
    const QSize now = window_->size();
    if (!left_.isValid() || now == Client() || (window_->windowState() & Filling)) {
        return;
    }
    // A compositor sends the size it knows with the activation that follows
    // a dialog or a click, and the toolkit takes it, though it may predate
    // ours; the user's drag starts from ours.
    const bool restated = now == left_;
    left_ = QSize();
    if (restated) {
        QTimer::singleShot(0, this, [this] { Resize(Client()); });
    }
}

bool WindowGeometry::eventFilter(QObject* watched, QEvent* event) {
    QWindow* platform = window_->windowHandle();
    if (watched == platform) {
        // The compositor places a window when it first shows it, by the size
        // of that frame; the designed size follows once it has been shown,
        // activated or not. An update asked after the first frame is drawn
        // comes when the compositor has shown it.
        if (placing_.isValid() && event->type() == QEvent::Expose && platform->isExposed() &&
            !drawn_) {
            QTimer::singleShot(0, this, [this, platform] {
                drawn_ = true;
                platform->requestUpdate();
            });
        } else if (placing_.isValid() && event->type() == QEvent::UpdateRequest && drawn_) {
            QTimer::singleShot(0, this, [this] {
                if (placing_.isValid()) {
                    left_ = window_->size();
                    placing_ = QSize();
                    Resize(Client());
                }
            });
        }
        return false;
    }
    switch (event->type()) {
        case QEvent::Show:
            if (platform) {
                platform->removeEventFilter(this);  // each show installs it once
                platform->installEventFilter(this);
            }
            FitFrame();
            break;
        case QEvent::Move:
            FitFrame();
            break;
        case QEvent::Resize:
            FitFrame();
            Resized();
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
    // frame, or when its title bar is made after the compositor's first
    // answer; where a window manager draws it (X11), when that moves the
    // window. The frame is taken in the normal state only: a maximized
    // window's differs (openbox drops the border).
    if (frame_.isNull() && window_->isVisible() && !(window_->windowState() & Filling) &&
        window_->frameGeometry().size() != window_->geometry().size()) {
        frame_ = window_->frameGeometry().size() - window_->geometry().size();
        Resize(Client());
    }
}

}  // namespace plovatrix::win
