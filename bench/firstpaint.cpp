#include "firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace plovatrix::bench {

namespace {

long long SteadyNanos() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<long long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

// Fires its callback once, after the event that painted its widget has ended:
// by then the repaint manager has flushed the frame to the platform window.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget* window, std::function<void()> then)
        : QObject(window), then_(std::move(then)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && then_) {
            auto then = std::move(then_);
            then_ = nullptr;
            QTimer::singleShot(0, parent(), std::move(then));
        }
        return false;
    }

private:
    std::function<void()> then_;
};

}  // namespace

void MarkPhase(const char* name) {
    std::printf("PHASE %s %lld\n", name, SteadyNanos());
}

void AfterFirstPaint(QWidget* window, std::function<void()> then) {
    window->installEventFilter(new PaintWatch(window, std::move(then)));
}

FirstPaintExit::FirstPaintExit(std::function<bool(const QWidget*)> isWindow, QObject* parent)
    : QObject(parent), isWindow_(std::move(isWindow)) {}

bool FirstPaintExit::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (seen_ || (type != QEvent::Paint && type != QEvent::Show) || !watched->isWidgetType() ||
        !isWindow_(static_cast<QWidget*>(watched)) || !static_cast<QWidget*>(watched)->isWindow() ||
        !static_cast<QWidget*>(watched)->isVisible()) {
        return false;
    }
    if (type == QEvent::Show) {
        MarkPhase("window-shown");
        return false;
    }
    seen_ = true;
    QTimer::singleShot(0, this, [] {
        std::printf("FIRSTPAINT %lld\n", SteadyNanos());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return false;
}

}  // namespace plovatrix::bench
