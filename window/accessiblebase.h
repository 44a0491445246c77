// What the accessible interfaces of our controls share: a control out of
// sight is off screen, a text is read whole at any boundary, a part of a
// control may be no widget of its own, and a reader is told through the toolkit.
#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <utility>

#include "insight.h"

namespace plovatrix::win {

// Tells a screen reader of a change, through the toolkit, while one listens.
void Tell(QAccessibleEvent& event);

// The factory's key names exactly this class.
inline bool Is(const QString& key, const QMetaObject& type) {
    return key == QLatin1String(type.className());
}

// A control of ours: off screen while it lies out of sight, though the
// toolkit still counts it visible.
class ControlAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (!state.invisible && !InSight(widget())) {
            state.offscreen = true;
        }
        return state;
    }
};

// A control whose text, its value, the user reads but does not edit.
class TextAccessible : public ControlAccessible, public QAccessibleTextInterface {
public:
    using ControlAccessible::ControlAccessible;

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? content() : ControlAccessible::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : ControlAccessible::interface_cast(type);
    }
    void selection(int index, int* start, int* end) const override {
        const auto [from, to] = selected();
        *start = index == 0 ? from : 0;
        *end = index == 0 ? to : 0;
    }
    int selectionCount() const override {
        const auto [from, to] = selected();
        return from < to ? 1 : 0;
    }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return caret(); }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return content().mid(start, end - start); }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                             int* end) const override {
        const int from = Unit(offset, type).first;
        return Piece(from > 0 ? Unit(from - 1, type) : std::pair(0, 0), start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                            int* end) const override {
        const int to = Unit(offset, type).second;
        return Piece(to < characterCount() ? Unit(to, type) : std::pair(to, to), start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override {
        return Piece(Unit(offset, type), start, end);
    }
    int characterCount() const override { return int(content().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    // One run without attributes over the whole text: a reader reads a text
    // run by run, and a run of no characters would cut off its last one.
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

protected:
    virtual QString content() const = 0;
    virtual int caret() const { return 0; }
    virtual std::pair<int, int> selected() const { return {0, 0}; }

private:
    // The character, word or sentence around offset; the whole line otherwise.
    std::pair<int, int> Unit(int offset, QAccessible::TextBoundaryType type) const;
    QString Piece(std::pair<int, int> unit, int* start, int* end) const {
        *start = unit.first;
        *end = unit.second;
        return text(unit.first, unit.second);
    }
};

// A part of a control that is no widget of its own: it lies on the control,
// has no parts, and is registered for as long as the control's interface
// that owns it lives.
class PartAccessible : public QAccessibleInterface {
public:
    explicit PartAccessible(QWidget* control) : control_(control) {}

    bool isValid() const override { return control_; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return control_ ? control_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(control_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        return control_ ? QRect(control_->mapToGlobal(QPoint()), control_->size()) : QRect();
    }

protected:
    QPointer<QWidget> control_;
};

// Registers a part; Unregister takes it back unless the toolkit already has.
QAccessible::Id Register(PartAccessible* part);
void Unregister(PartAccessible* part, QAccessible::Id id);

}  // namespace plovatrix::win
