#include "accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTextBoundaryFinder>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <utility>
#include <vector>

#include "classiccontrols.h"
#include "insight.h"
#include "picturepanel.h"
#include "updown.h"

namespace plovatrix::win {

namespace {

// Tells a screen reader of a change, through the toolkit, while one listens.
void Tell(QAccessibleEvent& event) {
    if (QAccessible::isActive()) {
        QAccessible::updateAccessibility(&event);
    }
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
    std::pair<int, int> Unit(int offset, QAccessible::TextBoundaryType type) const {
        const QString text = content();
        const int count = int(text.size());
        offset = std::clamp(offset, 0, count);
        if (type != QAccessible::CharBoundary && type != QAccessible::WordBoundary &&
            type != QAccessible::SentenceBoundary) {
            return {0, count};
        }
        QTextBoundaryFinder finder(type == QAccessible::CharBoundary ? QTextBoundaryFinder::Grapheme
                                   : type == QAccessible::WordBoundary
                                       ? QTextBoundaryFinder::Word
                                       : QTextBoundaryFinder::Sentence,
                                   text);
        finder.setPosition(offset);
        const int from = finder.isAtBoundary() ? offset : int(finder.toPreviousBoundary());
        finder.setPosition(offset);
        const int to = offset == count ? count : int(finder.toNextBoundary());
        return {std::max(from, 0), to < 0 ? count : to};
    }
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
QAccessible::Id Register(PartAccessible* part) {
    return QAccessible::registerAccessibleInterface(part);
}
void Unregister(PartAccessible* part, QAccessible::Id id) {
    if (QAccessible::accessibleInterface(id) == part) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

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
        return qobject_cast<QLabel*>(widget()->property("caption").value<QObject*>());
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
    void setSelection(int, int start, int end) override {
        box()->setSelection(start, end - start);
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box()->deselect(); }
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override {
        replaceText(offset, offset, text);
    }
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

// The pick-only list: named for what it is, its pick as its value and its
// text. Its part is the entry picked, or the entries while they drop down. A
// step by key or wheel takes a reader to the new pick, which it says, as in a
// native list.
class ListAccessible : public TextAccessible {
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

protected:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
    bool open() const { return list()->view()->isVisible(); }
    QString content() const override { return list()->currentText(); }

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

// A window or panel: it lists only the parts in sight. What is hidden or lies
// outside the window is not there for a screen reader, as it is not for the
// eye; a screen reader that kept what it read of a part then would keep it
// stale, since the toolkit tells it when a part is shown, not when it comes
// into the window.
class ContainerAccessible : public ControlAccessible {
public:
    using ControlAccessible::ControlAccessible;

    int childCount() const override { return int(Parts().size()); }
    QAccessibleInterface* child(int index) const override { return Parts().value(index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return int(Parts().indexOf(child));
    }

protected:
    virtual QList<QAccessibleInterface*> Parts() const {
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
// panel's description holds it and the panel is in sight.
class NoticeAccessible : public PartAccessible {
public:
    using PartAccessible::PartAccessible;

    QString text(QAccessible::Text t) const override {
        return control_ && t == QAccessible::Name ? control_->accessibleDescription() : QString();
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
    QList<QAccessibleInterface*> Parts() const override {
        QList<QAccessibleInterface*> parts = ContainerAccessible::Parts();
        if (notice_->Present()) {
            parts << notice_;
        }
        return parts;
    }

private:
    NoticeAccessible* notice_;
    QAccessible::Id noticeId_;
};

bool Is(const QString& key, const QMetaObject& type) {
    return key == QLatin1String(type.className());
}

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
    if (Is(key, QLabel::staticMetaObject)) {
        return new LabelAccessible(static_cast<QLabel*>(widget));
    }
    if (Is(key, TextBox::staticMetaObject)) {
        return new BoxAccessible(static_cast<TextBox*>(widget));
    }
    if (Is(key, DropDownList::staticMetaObject)) {
        return new ListAccessible(static_cast<QComboBox*>(widget));
    }
    if (Is(key, UpDown::staticMetaObject)) {
        return new SpinnerAccessible(static_cast<UpDown*>(widget));
    }
    if (Is(key, PicturePanel::staticMetaObject)) {
        return new PanelAccessible(widget);
    }
    if (Is(key, LineShape::staticMetaObject)) {
        return new LineAccessible(widget);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibility() {
    QAccessible::installFactory(Factory);
}

void AnnounceResult(QWidget* panel, const QString& text) {
    if (panel->accessibleDescription() == text) {
        return;
    }
    panel->setAccessibleDescription(text);
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
