#include "insight.h"

#include <QWidget>

namespace plovatrix::win {

bool InSight(const QWidget* control) {
    if (!control->isVisible()) {
        return false;
    }
    QRect seen = control->rect();
    for (const QWidget* w = control; !w->isWindow(); w = w->parentWidget()) {
        const QWidget* container = w->parentWidget();
        seen = seen.translated(w->pos()) & container->rect();
        if (seen.isEmpty()) {
            return false;
        }
        const QObjectList& siblings = container->children();
        for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
            const auto* above = qobject_cast<const QWidget*>(siblings[i]);
            if (above && !above->isWindow() && above->isVisible() && above->autoFillBackground() &&
                above->geometry().contains(seen)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace plovatrix::win
