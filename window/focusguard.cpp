#include "focusguard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include "insight.h"

namespace plovatrix::win {

FocusGuard::FocusGuard(QWidget* window, std::function<bool(QWidget*)> mayLeave)
    : QObject(window), window_(window), mayLeave_(std::move(mayLeave)) {
    // The platform window exists only once the window is shown, and is made
    // anew when its flags change: watch for it at every show.
    window->installEventFilter(this);
    for (auto* button : window->findChildren<QAbstractButton*>()) {
        if (!QKeySequence::mnemonic(button->text()).isEmpty()) {
            button->installEventFilter(this);
        }
    }
}

bool FocusGuard::WouldTakeFocus(QWidget* target) const {
    QWidget* focused = QApplication::focusWidget();
    if (!focused || !window_->isAncestorOf(focused)) {
        return false;
    }
    // Qt gives a click's focus to the first widget up the chain that takes it.
    for (QWidget* w = target; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
            return w != focused;
        }
        if (w == window_) {
            break;
        }
    }
    return false;
}

bool FocusGuard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == window_) {
        if (type == QEvent::Show && window_->windowHandle()) {
            window_->windowHandle()->installEventFilter(this);
        }
        return false;
    }
    QWidget* focused = QApplication::focusWidget();
    if (asking_ || !focused || !window_->isAncestorOf(focused)) {
        return false;
    }
    const bool platformWindow = watched == window_->windowHandle();
    bool leaving = false;
    int tab = 0;  // 1 forward, -1 back
    if (platformWindow &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
        const QPointF pos = static_cast<QSinglePointEvent*>(event)->position();
        QWidget* target = window_->childAt(pos.toPoint());
        leaving = WouldTakeFocus(target ? target : window_);
    } else if (platformWindow && type == QEvent::KeyPress) {
        // Tab and Shift+Tab move the focus on; with Ctrl or Alt they do not.
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            tab = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier) ? 1 : -1;
        }
        leaving = tab != 0;
    } else if (!platformWindow && type == QEvent::Shortcut) {
        // An access key moves the focus to its button first.
        leaving = watched != focused;
    }
    if (!leaving) {
        return false;
    }
    asking_ = true;
    const bool mayLeave = mayLeave_(focused);
    asking_ = false;
    if (mayLeave && tab != 0) {
        Tab(focused, tab > 0);
        return true;
    }
    return !mayLeave;
}

void FocusGuard::Tab(QWidget* from, bool forward) {
    for (QWidget* w = from;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == from) {
            return;
        }
        if (w != window_ && window_->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) &&
            !w->focusProxy() && w->isEnabled() && InSight(w)) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

}  // namespace plovatrix::win
