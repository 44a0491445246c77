#include "insight.h"

#include <QWidget>

namespace plovatrix::win {

bool InSight(const QWidget* control) {
    if (!control->isVisible()) {
        return false;
    }
    QRect shown = control->rect();
    for (const QWidget* w = control; !w->isWindow(); w = w->parentWidget()) {
        const QWidget* container = w->parentWidget();
        shown = shown.translated(w->pos()) & container->rect();
        if (shown.isEmpty()) {
            return false;
        }
        const QObjectList& siblings = container->children();
        for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
            const auto* above = qobject_cast<const QWidget*>(siblings[i]);
            if (above && !above->isWindow() && above->isVisible() && above->autoFillBackground() &&
                above->geometry().contains(shown)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace plovatrix::win
