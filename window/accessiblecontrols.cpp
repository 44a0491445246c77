// The accessible interfaces of labels, lines, text boxes, the list and the spinner.
#include "accessiblecontrols.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <vector>

#include "accessiblebase.h"
#include "classiccontrols.h"
#include "picturepanel.h"
#include "toolkit.h"
#include "updown.h"

namespace plovatrix::win {

namespace {

// A label; a value is named with its caption ("AB Leg = 505"), which labels
// it. A reader reads a panel's labels only while they stand in no relation
// (Orca's "unrelated labels"), so the value stands in none, and only those of
// three words or more: a caption's "@" is said as the word it stands for
// ("StopLoss at 1880.2").
class LabelAccessible : public ControlAccessible {
public:
    explicit LabelAccessible(QLabel* label) : ControlAccessible(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            const QLabel* caption = Caption();
            const QString text = (caption ? caption->text() + ' ' : QString()) + label()->text();
            return QString(text).replace('@', QLatin1String(" at ")).simplified();
        }
        return ControlAccessible::text(t);
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        if (Caption()) {
            return {};
        }
        auto found = ControlAccessible::relations(match);
        if (label()->buddy() && (match & QAccessible::Labelled)) {
            found.append(
                {QAccessible::queryAccessibleInterface(label()->buddy()), QAccessible::Labelled});
        }
        return found;
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
    const QLabel* Caption() const {
        const auto* label = qobject_cast<ClassicLabel*>(widget());
        return label ? label->captionLabel() : nullptr;
    }
};

// A drawn separator line: decoration, with no name of its own (the toolkit
// would lend it its frame's caption).
class LineAccessible : public ControlAccessible {
public:
    explicit LineAccessible(QWidget* line) : ControlAccessible(line, QAccessible::Separator) {}

    QString text(QAccessible::Text) const override { return {}; }
};

// A text box, a field the user types into or a box that only shows a value:
// its text is read whole, at any boundary, also what is selected of it.
class BoxAccessible : public TextAccessible, public QAccessibleEditableTextInterface {
public:
    explicit BoxAccessible(QLineEdit* box) : TextAccessible(box, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = ControlAccessible::state();
        state.readOnly = box()->isReadOnly();
        state.editable = !state.readOnly;
        state.selectableText = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::EditableTextInterface && !box()->isReadOnly()
                   ? static_cast<QAccessibleEditableTextInterface*>(this)
                   : TextAccessible::interface_cast(type);
    }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box()->deselect(); }
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override {
        box()->setSelection(start, end - start);
        box()->insert(text);
    }

protected:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
    QString content() const override { return box()->text(); }
    int caret() const override { return box()->cursorPosition(); }
    std::pair<int, int> selected() const override {
        const int from = box()->selectionStart();
        return from < 0 ? std::pair(0, 0)
                        : std::pair(from, from + int(box()->selectedText().size()));
    }
};

// An entry of the pick-only list, seen on the list's box while it is the pick.
class PickAccessible : public PartAccessible {
public:
    PickAccessible(QComboBox* list, int index) : PartAccessible(list), index_(index) {}

    QString text(QAccessible::Text t) const override {
        return control_ && t == QAccessible::Name ? list()->itemText(index_) : QString();
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        const bool picked = control_ && list()->currentIndex() == index_;
        state.invisible = !picked;
        state.offscreen = picked && !InSight(list());
        state.selectable = true;
        state.selected = picked;
        return state;
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(control_.data()); }
    int index_;
};

// The pick-only list: named for what it is, its pick as its value and its
// text. Its part is the entry picked, or the entries while they drop down. A
// step by key or wheel takes a reader to the new pick, which it says, as in a
// native list. Where the toolkit has the selection interface (6.5 on), the
// pick is also the list's selection, from which a newer reader takes the
// value it says as the list gets the focus.
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
using ListSelection = QAccessibleSelectionInterface;
#else
struct ListSelection {};
#endif
class ListAccessible : public TextAccessible, public ListSelection {
public:
    explicit ListAccessible(QComboBox* list) : TextAccessible(list, QAccessible::ComboBox) {
        QObject::connect(list, &QComboBox::currentIndexChanged, list, [this](int index) {
            if (index >= 0 && this->list()->hasFocus() && !open()) {
                QAccessibleEvent event(Pick(index), QAccessible::Focus);
                Tell(event);
            }
        });
    }
    ~ListAccessible() override {
        for (const auto& [pick, id] : picks_) {
            Unregister(pick, id);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = ControlAccessible::state();
        state.expandable = true;
        state.hasPopup = true;
        state.expanded = open();
        state.collapsed = !open();
        return state;
    }
    int childCount() const override { return child(0) ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        const int picked = list()->currentIndex();
        return index != 0   ? nullptr
               : open()     ? QAccessible::queryAccessibleInterface(list()->view())
               : picked < 0 ? nullptr
                            : Pick(picked);
    }
    int indexOfChild(const QAccessibleInterface* part) const override {
        return part && part == child(0) ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QAccessibleInterface* entries = child(0);
        return entries && entries->rect().contains(x, y) ? entries : nullptr;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + ControlAccessible::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == showMenuAction()) {
            list()->showPopup();
        } else {
            ControlAccessible::doAction(name);
        }
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::SelectionInterface ? static_cast<ListSelection*>(this)
                                                       : TextAccessible::interface_cast(type);
    }
    int selectedItemCount() const override {
        return list()->currentIndex() < 0 ? 0 : 1;
    }
    QList<QAccessibleInterface*> selectedItems() const override {
        const int picked = list()->currentIndex();
        return picked < 0 ? QList<QAccessibleInterface*>()
                          : QList<QAccessibleInterface*>{Pick(picked)};
    }
    // A reader picks by the list's own keys and actions, not by selecting.
    bool select(QAccessibleInterface*) override {
        return false;
    }
    bool unselect(QAccessibleInterface*) override {
        return false;
    }
    bool selectAll() override {
        return false;
    }
    bool clear() override {
        return false;
    }
#endif

protected:
    QComboBox* list() const {
        return static_cast<QComboBox*>(widget());
    }
    bool open() const {
        return list()->view()->isVisible();
    }
    QString content() const override {
        return list()->currentText();
    }

private:
    // Made as a reader first meets it: the list may still be filling.
    PickAccessible* Pick(int index) const {
        while (int(picks_.size()) <= index) {
            auto* pick = new PickAccessible(list(), int(picks_.size()));
            picks_.emplace_back(pick, Register(pick));
        }
        return picks_[size_t(index)].first;
    }
    mutable std::vector<std::pair<PickAccessible*, QAccessible::Id>> picks_;
};

// The up-down spinner: one control with a value; its arrows are its parts.
// Its text, which a reader says at each step, is the value with the stop it
// sets ("6 points, stop loss 1880.1").
class SpinnerAccessible : public TextAccessible, public QAccessibleValueInterface {
public:
    explicit SpinnerAccessible(UpDown* spinner) : TextAccessible(spinner, QAccessible::SpinBox) {
        // Each new value is said, with what its change has set by now; not
        // one set out of sight, where a reader would only learn it is away.
        QObject::connect(spinner, &UpDown::Settled, spinner, [spinner] {
            if (InSight(spinner)) {
                QAccessibleValueChangeEvent event(spinner, spinner->value());
                Tell(event);
            }
        });
    }

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? QString::number(spinner()->value())
                                       : TextAccessible::text(t);
    }
    using TextAccessible::text;
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : TextAccessible::interface_cast(type);
    }
    QVariant currentValue() const override { return spinner()->value(); }
    void setCurrentValue(const QVariant& value) override { spinner()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return UpDown::Maximum; }
    QVariant minimumValue() const override { return UpDown::Minimum; }
    QVariant minimumStepSize() const override { return 1; }
    QStringList actionNames() const override {
        return QStringList{increaseAction(), decreaseAction()} + ControlAccessible::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == increaseAction() || name == decreaseAction()) {
            spinner()->setValue(spinner()->value() + (name == increaseAction() ? 1 : -1));
        } else {
            ControlAccessible::doAction(name);
        }
    }

protected:
    QString content() const override {
        const QLabel* stop = spinner()->outcome();
        return QString::number(spinner()->value()) + " points" +
               (stop ? ", stop loss " + stop->text() : QString());
    }

private:
    UpDown* spinner() const { return static_cast<UpDown*>(widget()); }
};

}  // namespace

QAccessibleInterface* ControlInterface(const QString& key, QWidget* control) {
    if (Is(key, QLabel::staticMetaObject)) {
        return new LabelAccessible(static_cast<QLabel*>(control));
    }
    if (Is(key, TextBox::staticMetaObject)) {
        return new BoxAccessible(static_cast<TextBox*>(control));
    }
    if (Is(key, DropDownList::staticMetaObject)) {
        return new ListAccessible(static_cast<QComboBox*>(control));
    }
    if (Is(key, UpDown::staticMetaObject)) {
        return new SpinnerAccessible(static_cast<UpDown*>(control));
    }
    if (Is(key, LineShape::staticMetaObject)) {
        return new LineAccessible(control);
    }
    return nullptr;
}

}  // namespace plovatrix::win
