// The main window's layout as data: one row per control and one row per drawn
// element, in twips relative to the container, as the designer laid them out.
// BuildMainControls turns the rows into widgets; the panels paint their rows.
#pragma once

#include <QtGlobal>
#include <array>
#include <span>
#include <string_view>
#include <variant>

#include "display.h"

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace plovatrix::win {

class ClassicLabel;
class PicturePanel;
class TextBox;
class UpDown;

// The controls of the main window that its handlers work with, as the
// builder made them, and the label of each text of PanelTextList on the
// bullish and on the bearish panel.
struct MainControls {
    QAbstractButton *chk4p, *chk5p, *cmdana;
    QGroupBox *frame4, *Frame5;
    TextBox *txta4, *txtb4, *txtc4, *txtab4, *txtbc4, *txttol4;
    QLineEdit *txtts1, *txtts2;
    ClassicLabel *lblb4, *noma1, *noma2, *sl1, *sl2;
    QComboBox* cmbpoint;
    PicturePanel *pic1, *pic2;
    UpDown *ud1, *ud2;
    std::array<std::array<ClassicLabel*, 2>, std::size(PanelTextList)> results;
};
// Where MainControls keeps a control, if it does.
using Slot =
    std::variant<std::monostate, QAbstractButton * MainControls::*, QGroupBox * MainControls::*,
                 TextBox * MainControls::*, QLineEdit * MainControls::*,
                 ClassicLabel * MainControls::*, QComboBox * MainControls::*,
                 PicturePanel * MainControls::*, UpDown * MainControls::*>;
using PanelText = std::optional<std::string> PanelTexts::*;

// What a control is; decides the widget it becomes.
enum class Kind {
    Label,        // QLabel
    TextBox,      // QLineEdit, at most 6 characters
    ReadOnlyBox,  // QLineEdit that only shows a value
    Toggle,       // check box in push-button style: a checkable push button
    List,         // pick-only drop-down list
    Command,      // push button with the application icon above its caption
    Frame,        // captioned group box
    Picture,      // result panel that paints its drawing rows
    Spinner,      // up-down arrows
};

enum class Align { Left, Centre };
enum class Pen { Solid, Dash, Dot, DashDot };

// A colour the row leaves to the widget's palette.
inline constexpr quint32 NoColour = 0xFFFFFFFFu;
// The container name of the window's own top-level controls.
inline constexpr std::string_view FormName = "frmmain";
// The font the classic form gives to controls that state none.
inline constexpr double DefaultPoints = 8.25;
inline constexpr double LabelPoints = 9.75;

struct ControlRow {
    std::string_view name;
    Kind kind = Kind::Label;
    std::string_view container;
    std::string_view text;
    // Twips, relative to the container. A self-sizing label may give 0 x 0:
    // its text decides its size.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    quint32 colour = NoColour;
    quint32 backColour = NoColour;
    std::string_view font = "MS Sans Serif";
    double points = DefaultPoints;
    bool bold = false;
    Align align = Align::Left;
    bool autoSize = false;
    bool opaque = false;
    int tabIndex = -1;  // -1: not in the keyboard order
    bool visible = true;
    std::string_view accessibleName{};
    // The caption label that stands before this one on its line: where this
    // text must move to stay inside its section, its caption moves with it.
    std::string_view caption{};
    Slot kept{};
    PanelText shows = nullptr;  // the text of an analysis a result label shows

    // Modifiers, so that a row of a table reads as one line.
    template <typename Field, typename Value>
    constexpr ControlRow With(Field ControlRow::*field, Value value) const {
        ControlRow r = *this;
        r.*field = value;
        return r;
    }
    constexpr ControlRow Colour(quint32 c) const { return With(&ControlRow::colour, c); }
    constexpr ControlRow Back(quint32 c) const {
        return With(&ControlRow::backColour, c).With(&ControlRow::opaque, true);
    }
    constexpr ControlRow Font(std::string_view family, double pt, bool isBold = false) const {
        return With(&ControlRow::font, family)
            .With(&ControlRow::points, pt)
            .With(&ControlRow::bold, isBold);
    }
    constexpr ControlRow Size(double pt, bool isBold = false) const {
        return Font(font, pt, isBold);
    }
    constexpr ControlRow Centred() const { return With(&ControlRow::align, Align::Centre); }
    constexpr ControlRow AutoSize() const { return With(&ControlRow::autoSize, true); }
    constexpr ControlRow Tab(int index) const { return With(&ControlRow::tabIndex, index); }
    constexpr ControlRow Hidden() const { return With(&ControlRow::visible, false); }
    constexpr ControlRow Spoken(std::string_view name) const {
        return With(&ControlRow::accessibleName, name);
    }
    constexpr ControlRow After(std::string_view name) const {
        return With(&ControlRow::caption, name);
    }
    constexpr ControlRow Kept(Slot slot) const { return With(&ControlRow::kept, slot); }
    constexpr ControlRow Shows(PanelText text) const { return With(&ControlRow::shows, text); }
};

// A control row with the defaults of its kind.
constexpr ControlRow Control(Kind kind, std::string_view name, std::string_view container,
                             std::string_view text, int left, int top, int width, int height) {
    return ControlRow{name, kind, container, text, left, top, width, height}.With(
        &ControlRow::points, kind == Kind::Label ? LabelPoints : DefaultPoints);
}

// A line, or an oval with its outline and hatch. For an oval, x1, y1 is the
// top-left corner and x2, y2 the width and height; all in twips.
struct DrawRow {
    std::string_view name;
    std::string_view container;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    quint32 colour = NoColour;
    int width = 1;
    Pen pen = Pen::Solid;
    bool oval = false;
    quint32 hatch = NoColour;
    // A vertical line that splits a panel into sections; no text crosses it.
    bool divides = false;
};

constexpr DrawRow Line(std::string_view name, std::string_view container, int x1, int y1, int x2,
                       int y2, quint32 colour, Pen pen = Pen::Solid, int width = 1) {
    return {name, container, x1, y1, x2, y2, colour, width, pen, false, NoColour};
}
constexpr DrawRow Oval(std::string_view name, std::string_view container, int left, int top,
                       int width, int height, quint32 outline, quint32 hatch) {
    return {name, container, left, top, width, height, outline, 1, Pen::Solid, true, hatch};
}
constexpr DrawRow Divider(std::string_view name, std::string_view container, int x, int y1, int y2,
                          quint32 colour, int width) {
    return {name, container, x, y1, x, y2, colour, width, Pen::Solid, false, NoColour, true};
}

// The window's top-level controls and the contents of Frame2, frame4 and
// Frame5, in the order of the window's layout description.
std::span<const ControlRow> MainRows();
// The separator lines of the window and its frames (Line20, Line33, ...).
std::span<const DrawRow> MainLines();
// The captions, result labels and spinner groups of pic1 and pic2.
std::span<const ControlRow> PanelRows();
// The static diagram of "pic1" or "pic2"; empty for any other name.
std::span<const DrawRow> PanelDrawing(std::string_view panel);

}  // namespace plovatrix::win
