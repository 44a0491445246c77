// The moment a window has first been painted, as the start-up driver reads it.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace plovatrix::bench {

// Watches every widget; once the visible top-level that isWindow picks
// has been painted and its frame handed to the platform, prints
// "FIRSTPAINT <steady clock ns>" and leaves the event loop. Its show is
// marked as a phase on the way.
class FirstPaintExit : public QObject {
public:
    explicit FirstPaintExit(std::function<bool(const QWidget*)> isWindow,
                            QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(const QWidget*)> isWindow_;
    bool seen_ = false;
};

// Prints "PHASE <name> <steady clock ns>", a step of the start-up the driver
// reports the median time of, so that a slow start-up shows where it goes.
void MarkPhase(const char* name);

// Calls `then` once, right after `window`'s first paint has been flushed.
void AfterFirstPaint(QWidget* window, std::function<void()> then);

}  // namespace plovatrix::bench
