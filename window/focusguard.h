// Where the keyboard focus may go in a window, and when.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace plovatrix::win {

// Before a click, Tab or an access key would move the focus to another
// control of the window, asks mayLeave(the focused control); false swallows
// the event, so that the move never happens. Clicks and keys are caught at the
// window's platform window, before Qt hands the focus on; access keys at their
// buttons, which Qt serves directly. Tab follows the keyboard order but skips
// what is out of sight, where the focus would vanish.
class FocusGuard : public QObject {
public:
    FocusGuard(QWidget* window, std::function<bool(QWidget*)> mayLeave);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool WouldTakeFocus(QWidget* target) const;
    void Tab(QWidget* from, bool forward);

    QWidget* window_;
    std::function<bool(QWidget*)> mayLeave_;
    // The warning a control shows takes the focus while it is open: no move.
    bool asking_ = false;
};

}  // namespace plovatrix::win
