// The window's own controls, the selection frame and the two input strips.
#include "colours.h"
#include "layout.h"

namespace plovatrix::win {

namespace {

using namespace SystemColour;
using FixedColour::Red;
using K = MainControls;

constexpr ControlRow Lbl(std::string_view name, std::string_view in, std::string_view text, int l,
                         int t, int w, int h) {
    return Control(Kind::Label, name, in, text, l, t, w, h);
}
constexpr ControlRow Box(std::string_view name, std::string_view in, std::string_view text, int l,
                         int t, int w, int h, int tab, std::string_view spoken) {
    return Control(Kind::TextBox, name, in, text, l, t, w, h).Tab(tab).Spoken(spoken);
}
// The red point letters and group headers of the strips.
constexpr ControlRow Letter(std::string_view name, std::string_view in, std::string_view text,
                            int l, int t, int w, int h) {
    return Lbl(name, in, text, l, t, w, h).Colour(Red).Size(12, true).Centred();
}
// The boxed value labels that repeat a leg's first point.
constexpr ControlRow Echo(std::string_view name, std::string_view in, std::string_view text, int l,
                          int t, int w, int h) {
    return Lbl(name, in, text, l, t, w, h)
        .Back(WindowBackground)
        .Colour(WindowText)
        .Centred()
        .AutoSize();
}
constexpr ControlRow Frame(std::string_view name, std::string_view text, int l, int t, int w, int h,
                           int tab) {
    return Control(Kind::Frame, name, FormName, text, l, t, w, h).Size(12, true).Tab(tab);
}
constexpr ControlRow Panel(std::string_view name, std::string_view spoken, int tab) {
    return Control(Kind::Picture, name, FormName, "", 0, 2160, 14175, 6615)
        .Back(WindowText)
        .Tab(tab)
        .Spoken(spoken);
}

constexpr ControlRow kMain[] = {
    // The window.
    Panel("pic2", "Bearish AB=CD", 65).Kept(&K::pic2),
    Frame("Frame5", "5 Points Pattern", 2520, 120, 11415, 1575, 40).Hidden().Kept(&K::Frame5),
    Frame("Frame2", "Select...", 120, 120, 2175, 1575, 0),
    Frame("frame4", "4 Points Pattern", 3600, 120, 10335, 1575, 3).Hidden().Kept(&K::frame4),
    Panel("pic1", "Bullish AB=CD", 12).Kept(&K::pic1),

    // Frame2: the pattern selection.
    Control(Kind::Toggle, "chk4p", "Frame2", "4 Points Pattern", 240, 360, 1695, 375)
        .Tab(1)
        .Kept(&K::chk4p),
    Control(Kind::Toggle, "chk5p", "Frame2", "5 Points Pattern", 240, 960, 1695, 375)
        .Tab(2)
        .Kept(&K::chk5p),

    // frame4: the AB group.
    Letter("Label40", "frame4", "A", 75, 360, 225, 300).AutoSize(),
    Box("txta4", "frame4", "0", 480, 360, 675, 300, 4, "Price of A").Kept(&K::txta4),
    Letter("Label25", "frame4", "B", 1440, 360, 255, 375),
    Box("txtb4", "frame4", "0", 1800, 360, 675, 300, 5, "Price of B").Kept(&K::txtb4),
    Lbl("Label27", "frame4", "Number of Candles(A-B)", 240, 840, 2205, 240).Centred().AutoSize(),
    Box("txtab4", "frame4", "0", 1080, 1080, 675, 300, 10, "Number of candles A to B")
        .Kept(&K::txtab4),
    // The BC group.
    Letter("Label24", "frame4", "B=", 2880, 360, 375, 300).AutoSize(),
    Echo("lblb4", "frame4", "0", 3480, 360, 135, 240).Kept(&K::lblb4),
    Letter("Label26", "frame4", "C", 4440, 360, 255, 375),
    Box("txtc4", "frame4", "0", 4800, 360, 675, 300, 6, "Price of C").Kept(&K::txtc4),
    Lbl("Label28", "frame4", "Number of Candles(B-C)", 3120, 840, 2205, 240).Centred().AutoSize(),
    Box("txtbc4", "frame4", "0", 3960, 1080, 675, 300, 11, "Number of candles B to C")
        .Kept(&K::txtbc4),
    // The settings and Analyze.
    Lbl("Label29", "frame4", "Tolerance(pips)", 6120, 360, 1440, 240).AutoSize(),
    Box("txttol4", "frame4", "0", 7800, 360, 480, 285, 7, "Tolerance in points").Kept(&K::txttol4),
    Lbl("Label1", "frame4", "Point ", 6120, 960, 495, 240).AutoSize(),
    Control(Kind::List, "cmbpoint", "frame4", "", 7320, 960, 1335, 315)
        .Tab(8)
        .Spoken("Point size")
        .Kept(&K::cmbpoint),
    Control(Kind::Command, "cmdana", "frame4", "&Analyze", 9000, 240, 1215, 1215)
        .Size(9.75, true)
        .Tab(9)
        .Spoken("Analyze")
        .Kept(&K::cmdana),

    // Frame5: the XA group.
    Letter("Label35", "Frame5", "X", 135, 360, 225, 300).AutoSize(),
    Box("Text12", "Frame5", "1.2154", 480, 360, 585, 300, 58, "Price of X, five-point pattern"),
    Letter("Label34", "Frame5", "A", 1455, 360, 225, 300).AutoSize(),
    Box("Text11", "Frame5", "1.2154", 1800, 360, 585, 300, 59, "Price of A, five-point pattern"),
    Lbl("Label32", "Frame5", "Number of Candles(X-A)", 255, 840, 2175, 240).Centred().AutoSize(),
    Box("Text9", "Frame5", "1.2154", 1080, 1080, 585, 300, 60,
        "Number of candles X to A, five-point pattern"),
    // The AB group.
    Letter("Label41", "Frame5", "A=", 2640, 360, 375, 300).Colour(WindowFrame).AutoSize(),
    Echo("Label38", "Frame5", "1.2157", 3000, 360, 615, 300),
    Letter("Label37", "Frame5", "B", 3975, 360, 225, 300).AutoSize(),
    Box("Text14", "Frame5", "1.2154", 4320, 360, 585, 300, 53, "Price of B, five-point pattern"),
    Lbl("Label31", "Frame5", "Number of Candles(A-B)", 2640, 840, 2205, 240).Centred().AutoSize(),
    Box("Text8", "Frame5", "1.2154", 3480, 1080, 585, 300, 43,
        "Number of candles A to B, five-point pattern"),
    // The BC group.
    Letter("Label43", "Frame5", "B=", 5160, 360, 375, 300).Colour(WindowFrame).AutoSize(),
    Echo("Label42", "Frame5", "1.2157", 5520, 360, 615, 300),
    Lbl("Label33", "Frame5", "C", 6360, 360, 195, 300).Colour(Red).Size(12, true).AutoSize(),
    Box("Text10", "Frame5", "1.2154", 6720, 360, 585, 300, 44, "Price of C, five-point pattern"),
    Lbl("Label36", "Frame5", "Number of Candles(B-C)", 5205, 840, 2205, 240).Centred().AutoSize(),
    Box("Text13", "Frame5", "1.2154", 6045, 1080, 585, 300, 51,
        "Number of candles B to C, five-point pattern"),
    // The settings and its Analyze, which does nothing.
    Lbl("Label30", "Frame5", "Tolerance(pips)", 7800, 720, 1440, 240).AutoSize(),
    Box("Text7", "Frame5", "50", 9360, 720, 480, 285, 42,
        "Tolerance in points, five-point pattern"),
    Control(Kind::Command, "cmdana5", "Frame5", "&Analyze", 10080, 240, 1215, 1215)
        .Size(9.75, true)
        .Tab(41)
        .Spoken("Analyze five-point pattern"),
};

constexpr DrawRow kLines[] = {
    // Drawn on the form itself, so the panels and frames cover most of it.
    Line("Line20", FormName, 0, 0, 0, 6600, ActiveBorder, Pen::Solid, 3),
    Line("Line33", "frame4", 2760, 120, 2760, 1560, WindowText),
    Line("Line34", "frame4", 5640, 120, 5640, 1560, WindowText),
    Line("Line36", "Frame5", 2520, 120, 2520, 1560, WindowText),
    Line("Line35", "Frame5", 5040, 120, 5040, 1560, WindowText),
    Line("Line37", "Frame5", 7680, 120, 7680, 1560, WindowText),
};

}  // namespace

std::span<const ControlRow> MainRows() {
    return kMain;
}
std::span<const DrawRow> MainLines() {
    return kLines;
}

}  // namespace plovatrix::win
