#include "doubleclickguard.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

namespace plovatrix::win {

DoubleClickGuard::DoubleClickGuard(QWindow* window, ulong clickTime)
    : QObject(window), clickTime_(clickTime) {
    window->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [window](QWindow* now) {
        if (!now && window->isVisible()) {
            window->raise();
            window->requestActivate();
        }
    });
    // The platform reports a lost activation late (X11: 100 ms, while it
    // waits for the focus to come back to one of our windows), so we watch
    // somewhat longer than the interval.
    constexpr int ReportDelay = 300;
    QTimer::singleShot(QApplication::doubleClickInterval() + ReportDelay, this, [this] {
        expired_ = true;
        if (!holding_) {
            deleteLater();
        }
    });
}

bool DoubleClickGuard::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseButtonRelease) {
        const bool eaten = holding_;
        holding_ = holding_ && mouse->buttons() != Qt::NoButton;
        if (expired_ && !holding_) {
            deleteLater();
        }
        return eaten;
    }
    if (mouse->timestamp() - clickTime_ > ulong(QApplication::doubleClickInterval())) {
        deleteLater();
        return false;
    }
    holding_ = true;
    return true;
}

}  // namespace plovatrix::win
