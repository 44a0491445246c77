// The windows and result panels as a reader sees them, the notice of a result, and
// the factory that hands the toolkit every interface of ours.
#include "accessibility.h"

#include <QToolButton>
#include <QWindow>

#include "accessiblebase.h"
#include "accessiblecontrols.h"
#include "picturepanel.h"
#include "updown.h"

namespace plovatrix::win {

namespace {

// A window or panel: it lists only the parts in sight. What is hidden or lies
// outside the window is not there for a screen reader, as it is not for the
// eye; a screen reader that kept what it read of a part then would keep it
// stale, since the toolkit tells it when a part is shown, not when it comes
// into the window.
class ContainerAccessible : public ControlAccessible {
public:
    using ControlAccessible::ControlAccessible;

    int childCount() const override { return int(VisibleChildren().size()); }
    QAccessibleInterface* child(int index) const override { return VisibleChildren().value(index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return int(VisibleChildren().indexOf(child));
    }

protected:
    virtual QList<QAccessibleInterface*> VisibleChildren() const {
        QList<QAccessibleInterface*> parts;
        for (QObject* object : widget()->children()) {
            const auto* part = qobject_cast<QWidget*>(object);
            if (part && !part->isWindow() && InSight(part)) {
                parts << QAccessible::queryAccessibleInterface(object);
            }
        }
        return parts;
    }
};

// The result of an analysis, as one notice on its panel: there while the
// panel holds it and is in sight.
class NoticeAccessible : public PartAccessible {
public:
    using PartAccessible::PartAccessible;

    QString text(QAccessible::Text t) const override {
        const auto* panel = static_cast<PicturePanel*>(control_.data());
        return panel && t == QAccessible::Name ? panel->announcement() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = text(QAccessible::Name).isEmpty() || !control_->isVisible();
        state.offscreen = !state.invisible && !InSight(control_);
        return state;
    }
    bool Present() const {
        const QAccessible::State now = state();
        return !now.invisible && !now.offscreen;
    }
};

// A result panel, with its notice as its last part.
class PanelAccessible : public ContainerAccessible {
public:
    explicit PanelAccessible(QWidget* panel)
        : ContainerAccessible(panel, QAccessible::Pane),
          notice_(new NoticeAccessible(panel)),
          noticeId_(Register(notice_)) {}
    ~PanelAccessible() override { Unregister(notice_, noticeId_); }

    NoticeAccessible* notice() const { return notice_; }
    // The notice covers the whole panel; a point on the panel names a label.
    QAccessibleInterface* childAt(int x, int y) const override {
        QAccessibleInterface* found = ContainerAccessible::childAt(x, y);
        return found == notice_ ? nullptr : found;
    }

protected:
    QList<QAccessibleInterface*> VisibleChildren() const override {
        QList<QAccessibleInterface*> parts = ContainerAccessible::VisibleChildren();
        if (notice_->Present()) {
            parts << notice_;
        }
        return parts;
    }

private:
    NoticeAccessible* notice_;
    QAccessible::Id noticeId_;
};

QAccessibleInterface* Factory(const QString& key, QObject* object) {
    if (!object || !object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (qobject_cast<UpDown*>(widget->parentWidget())) {
        // The spinner's arrows and focus mark: its parts, never in the tree,
        // but out of sight with it.
        if (Is(key, QToolButton::staticMetaObject)) {
            return new ControlAccessible(widget, QAccessible::Button);
        }
        return Is(key, QWidget::staticMetaObject) ? new ControlAccessible(widget) : nullptr;
    }
    if (Is(key, QWidget::staticMetaObject)) {
        // A window of ours, where the toolkit would see only a filler.
        const Qt::WindowType type = widget->windowType();
        return widget->isWindow() && (type == Qt::Window || type == Qt::Dialog)
                   ? new ContainerAccessible(widget, QAccessible::Window)
                   : nullptr;
    }
    if (Is(key, PicturePanel::staticMetaObject)) {
        return new PanelAccessible(widget);
    }
    return ControlInterface(key, widget);
}

}  // namespace

void InstallAccessibility() {
    QAccessible::installFactory(Factory);
}

void AnnounceResult(PicturePanel* panel, const QString& text) {
    if (panel->announcement() == text) {
        return;
    }
    panel->setAnnouncement(text);
    auto* iface = dynamic_cast<PanelAccessible*>(QAccessible::queryAccessibleInterface(panel));
    if (!iface) {
        return;
    }
    if (text.isEmpty() || iface->notice()->Present()) {
        QAccessibleEvent event(iface->notice(),
                               text.isEmpty() ? QAccessible::ObjectHide : QAccessible::ObjectShow);
        Tell(event);
    }
}

}  // namespace plovatrix::win
