#include "formbuilder.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <algorithm>
#include <map>
#include <type_traits>
#include <variant>
#include <vector>

#include "classiccontrols.h"
#include "colours.h"
#include "fonts.h"
#include "icons.h"
#include "picturepanel.h"
#include "toolkit.h"
#include "updown.h"

namespace plovatrix::win {

namespace {

QString Str(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Sets a palette role when the row names a colour. A result panel keeps its
// plain look on any desktop; elsewhere the colour follows the theme.
void SetColour(QWidget* widget, QPalette::ColorRole role, quint32 colour) {
    if (colour == NoColour) {
        return;
    }
    if (!qobject_cast<PicturePanel*>(widget->parentWidget())) {
        SetOleColour(widget, role, colour);
        return;
    }
    QPalette pal = widget->palette();
    pal.setColor(role, OleColor(colour, PlainPalette()));
    widget->setPalette(pal);
}

QLabel* MakeLabel(const ControlRow& row, QWidget* parent) {
    auto* label = new ClassicLabel(Str(row.text), parent);
    // The classic label writes from its top edge, never vertically centred.
    label->setAlignment(Qt::AlignTop |
                        (row.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft));
    label->setTextFormat(Qt::PlainText);
    SetColour(label, QPalette::WindowText, row.colour);
    if (row.opaque) {
        SetColour(label, QPalette::Window, row.backColour);
        label->setAutoFillBackground(true);
    }
    return label;
}

QLineEdit* MakeTextBox(const ControlRow& row, QWidget* parent) {
    auto* box = new TextBox(Str(row.text), parent);
    box->setReadOnly(row.kind == Kind::ReadOnlyBox);
    box->setMaxLength(6);
    SetColour(box, QPalette::Text, row.colour);
    return box;
}

QComboBox* MakeList(QWidget* parent) {
    auto* list = new DropDownList(parent);
    list->addItems({"0.1", "0.01", "0.001", "0.0001"});
    // Nothing is picked until the user picks.
    list->setCurrentIndex(-1);
    return list;
}

QPushButton* MakeButton(const ControlRow& row, QWidget* parent) {
    auto* button = new ClassicButton(Str(row.text), parent);
    if (row.kind == Kind::Toggle) {
        button->setCheckable(true);
        SetFaceColour(button, SystemColour::ButtonFace);
    } else {
        button->setIcon(AppIcon());
        button->setIconSize(QSize(32, 32));
    }
    return button;
}

QWidget* MakeControl(const ControlRow& row, QWidget* parent) {
    switch (row.kind) {
        case Kind::Label:
            return MakeLabel(row, parent);
        case Kind::TextBox:
        case Kind::ReadOnlyBox:
            return MakeTextBox(row, parent);
        case Kind::Toggle:
        case Kind::Command:
            return MakeButton(row, parent);
        case Kind::List:
            return MakeList(parent);
        case Kind::Frame:
            return new ClassicFrame(Str(row.text), parent);
        case Kind::Picture:
            return new PicturePanel(row.backColour, PanelDrawing(row.name), parent);
        case Kind::Spinner:
            return new UpDown(parent);
    }
    return nullptr;
}

bool TakesFocus(Kind kind) {
    return kind != Kind::Label && kind != Kind::Frame && kind != Kind::Picture;
}

}  // namespace

MainControls BuildMainControls(QWidget* form) {
    InstallFontSubstitutes();

    MainControls kept{};
    // What is built so far, by its name in the layout: containers and captions.
    std::map<std::string_view, QWidget*> built{{FormName, form}};
    const auto find = [&built](std::string_view name) {
        const auto it = built.find(name);
        return it == built.end() ? nullptr : it->second;
    };
    std::vector<std::pair<int, QWidget*>> tabOrder;
    std::vector<QWidget*> onTop;

    const auto build = [&](const ControlRow& row) {
        QWidget* parent = find(row.container);
        Q_ASSERT_X(parent, "BuildMainControls", "container listed after its contents");
        QWidget* widget = MakeControl(row, parent);
        built.emplace(row.name, widget);
        widget->setObjectName(Str(row.name));
        // Every control gets its own font: a frame's bold caption font must not
        // spread to what it contains.
        widget->setFont(LayoutFont(Str(row.font), row.points, row.bold));
        widget->setGeometry(TwipsRect(row.left, row.top, row.width, row.height));
        if (!row.accessibleName.empty()) {
            widget->setAccessibleName(Str(row.accessibleName));
        }
        auto* label = qobject_cast<ClassicLabel*>(widget);
        if (label && row.autoSize) {
            label->SetAutoSize();
        }
        std::visit(
            [&](auto slot) {
                if constexpr (!std::is_same_v<decltype(slot), std::monostate>) {
                    using Control = std::remove_reference_t<decltype(*(kept.*slot))>;
                    if (!(kept.*slot = qobject_cast<Control*>(widget))) {
                        qFatal("The layout keeps %s as a control of another kind", row.name.data());
                    }
                }
            },
            row.kept);
        if (row.shows) {
            const auto listed = std::ranges::find(PanelTextList, row.shows, &NamedText::text);
            kept.results[size_t(listed - std::begin(PanelTextList))][parent == kept.pic1 ? 0 : 1] =
                label;
        }
        if (row.tabIndex >= 0 && TakesFocus(row.kind)) {
            tabOrder.emplace_back(row.tabIndex, widget);
        }
        if (row.opaque && row.kind == Kind::Label && !row.visible) {
            // The "NO Match Found" boxes cover whatever else stands there.
            onTop.push_back(widget);
        }
        if (!row.visible) {
            widget->setVisible(false);
        }
    };
    for (const ControlRow& row : MainRows()) {
        build(row);
    }
    for (const ControlRow& row : PanelRows()) {
        build(row);
    }
    for (const DrawRow& row : MainLines()) {
        auto* line = new LineShape(row, find(row.container));
        line->setObjectName(Str(row.name));
        line->lower();
    }
    for (QWidget* widget : onTop) {
        widget->raise();
    }
    // Every text of a panel stays inside its section, but the "NO Match Found"
    // boxes, which cover the panel by design.
    for (const ControlRow& row : PanelRows()) {
        auto* panel = qobject_cast<PicturePanel*>(find(row.container));
        auto* label = qobject_cast<ClassicLabel*>(find(row.name));
        const auto isCaption = [&](const ControlRow& other) { return other.caption == row.name; };
        if (panel && label && !row.opaque && std::ranges::none_of(PanelRows(), isCaption)) {
            auto* caption = qobject_cast<ClassicLabel*>(find(row.caption));
            panel->KeepInSection(label, caption);
            if (caption) {
                // What a screen reader reads together.
                caption->setBuddy(label);
                label->setCaptionLabel(caption);
            }
        }
    }

    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }
    return kept;
}

}  // namespace plovatrix::win
