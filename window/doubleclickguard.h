// Keeps the rest of a double-click from pressing what lies under it.
#pragma once

#include <QObject>

class QWindow;

namespace plovatrix::win {

// Eats the rest of a double-click whose first click, at event time clickTime,
// opened `window`: presses within the desktop's double-click interval of that
// click (event time, so a slow start-up does not stretch it) and their
// releases. Where the rest lands on another program's window or on the
// desktop instead, that takes the activation: we take it back, raised, so the
// window the user asked for is the one their keys reach. Deletes itself.
class DoubleClickGuard : public QObject {
public:
    DoubleClickGuard(QWindow* window, ulong clickTime);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ulong clickTime_;
    bool holding_ = false;  // a press was eaten and its button is still down
    bool expired_ = false;
};

}  // namespace plovatrix::win
