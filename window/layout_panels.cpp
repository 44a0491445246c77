// The two result panels: captions and result labels beside a fixed diagram.
#include "colours.h"
#include "layout.h"

namespace plovatrix::win {

namespace {

using namespace FixedColour;
using namespace SystemColour;
using K = MainControls;
using T = PanelTexts;

// Panel labels are transparent and size themselves unless a row says otherwise.
constexpr ControlRow Text(std::string_view name, std::string_view panel, std::string_view text,
                          int l, int t, quint32 colour) {
    return Control(Kind::Label, name, panel, text, l, t, 0, 0).Colour(colour).AutoSize();
}
constexpr ControlRow NoMatch(std::string_view name, std::string_view panel, int l, int t) {
    return Text(name, panel, "NO Match Found", l, t, Red)
        .Font("MV Boli", 60, true)
        .Centred()
        .Back(ButtonFace)
        .Hidden();
}
constexpr ControlRow StopBox(std::string_view name, std::string_view panel, int l, int t, int tab) {
    return Control(Kind::ReadOnlyBox, name, panel, "5", l, t, 735, 375)
        .Size(9.75)
        .Tab(tab)
        .Spoken("Stop loss distance shown");
}
constexpr ControlRow Spinner(std::string_view name, std::string_view panel, int l, int t, int tab) {
    return Control(Kind::Spinner, name, panel, "", l, t, 255, 375)
        .Tab(tab)
        .Spoken("Stop loss distance in points");
}

constexpr ControlRow kPanels[] = {
    // pic1, the bullish panel. The whole pattern.
    Text("Label18", "pic1", "A=", 480, 600, Red),
    Text("lbla", "pic1", "1.2154", 720, 600, Red).After("Label18").Shows(&T::priceA),
    Text("Label20", "pic1", "B=", 1080, 3960, Red),
    Text("lblb", "pic1", "1.2154", 1320, 3960, Red).After("Label20").Shows(&T::priceB),
    Text("Label22", "pic1", "C=", 3240, 2280, Red),
    Text("lblc", "pic1", "1.2154", 3480, 2280, Red).After("Label22").Shows(&T::priceC),
    Text("lblfib1", "pic1", "0.618", 1440, 1080, Green).Centred().Shows(&T::retracement),
    Text("lblfib2", "pic1", "1.618", 3000, 4440, Green).Centred().Shows(&T::extension),
    Text("lblcan1", "pic1", "0", 1080, 5280, Green).Centred().Shows(&T::abCandles),
    Text("lblcan2", "pic1", "0", 2520, 5280, Green).Centred().Shows(&T::bcCandles),
    Text("lblcan3", "pic1", "0", 3840, 1200, Green).Centred().Shows(&T::cdCandles),
    Text("lbltfib", "pic1", "0", 1680, 5760, Green).Centred().Shows(&T::timeRatio),
    Text("Label3", "pic1", "PRZ(D)", 4440, 6120, Yellow).Size(12),
    // The close-up of CD, the title, the legs and the signal.
    Text("Label4", "pic1", "PRZ(D)", 7080, 120, Yellow).Size(18),
    Text("lblabcd", "pic1", "AB=CD@1.2178", 8520, 1560, Green).Shows(&T::przUpper),
    Text("lblofbc", "pic1", "0.618BC@1.2170", 8520, 2640, Green).Shows(&T::przLower),
    Text("lblt2", "pic1", "Missed", 6825, 3240, Green).Centred().Shows(&T::cdDuration),
    Text("Label12", "pic1", "Bullish AB=CD", 6720, 3840, Yellow).Size(18),
    Text("Label6", "pic1", "AB Leg = ", 5760, 4680, Green),
    Text("legab(0)", "pic1", "0.0000", 6720, 4680, Green).After("Label6").Shows(&T::legAB),
    Text("Label8", "pic1", "BC Leg = ", 5760, 5160, Green),
    Text("legbc(0)", "pic1", "0.0000", 6720, 5160, Green).After("Label8").Shows(&T::legBC),
    Text("Label11", "pic1", "Fib. Ratio = ", 7800, 4920, Green),
    Text("zarib(0)", "pic1", "0.0000", 8880, 4920, Green).After("Label11").Shows(&T::ratio),
    Text("Label13", "pic1", "Signal = BUY at Point D", 6165, 5880, Green).Size(13.5).Centred(),
    NoMatch("noma1", "pic1", 2640, 3240).Kept(&K::noma1),
    // D with the targets above and the stop below.
    Text("Label7", "pic1", "PRZ(D)", 11280, 3000, Yellow).Size(12),
    Text("lk", "pic1", "TP2(0.618AD)@", 11880, 840, Green),
    Text("tp2", "pic1", "1.2178", 13440, 840, Green).After("lk").Shows(&T::takeProfit2),
    Text("lll", "pic1", "TP1(0.618CD)@", 11880, 1440, Green),
    Text("tp1", "pic1", "1.2178", 13440, 1440, Green).After("lll").Shows(&T::takeProfit1),
    Text("Label2", "pic1", "StopLoss@", 11160, 5160, Green),
    Text("sl1", "pic1", "1.9999", 12360, 5160, Green)
        .After("Label2")
        .Kept(&K::sl1)
        .Shows(&T::stopLoss),
    StopBox("txtts1", "pic1", 11520, 5520, 91).Kept(&K::txtts1),
    Spinner("ud1", "pic1", 12240, 5520, 90).Kept(&K::ud1),

    // pic2, the bearish panel, the other way up.
    Text("Label49", "pic2", "A=", 480, 5880, Red),
    Text("lbla2", "pic2", "1.2154", 720, 5880, Red).After("Label49").Shows(&T::priceA),
    Text("Label47", "pic2", "B=", 1080, 2040, Red),
    Text("lblb2", "pic2", "1.2154", 1320, 2040, Red).After("Label47").Shows(&T::priceB),
    Text("Label45", "pic2", "C=", 3240, 3840, Red),
    Text("lblc2", "pic2", "1.2154", 3480, 3840, Red).After("Label45").Shows(&T::priceC),
    Text("lblfib12", "pic2", "0", 1605, 4320, Green).Centred().Shows(&T::retracement),
    Text("lblfib22", "pic2", "0", 3240, 1560, Green).Centred().Shows(&T::extension),
    Text("lblcan12", "pic2", "NOT GIVEN", 720, 840, Green).Centred().Shows(&T::abCandles),
    Text("lblcan22", "pic2", "NOT GIVEN", 2040, 840, Green).Centred().Shows(&T::bcCandles),
    Text("lblcan32", "pic2", "Missed", 3600, 5400, Green).Centred().Shows(&T::cdCandles),
    Text("lbltfib2", "pic2", "Missed", 1545, 360, Green).Centred().Shows(&T::timeRatio),
    Text("Label64", "pic2", "PRZ(D)", 4320, 240, Yellow).Size(12),
    Text("Label63", "pic2", "PRZ(D)", 7080, 120, Yellow).Size(18),
    Text("lblabcd2", "pic2", "AB=CD@1.2178", 8520, 1440, Green).Shows(&T::przUpper),
    Text("lblofbc2", "pic2", "0.618BC@1.2170", 8520, 2520, Green).Shows(&T::przLower),
    Text("lblt22", "pic2", "Missed", 6825, 600, Green).Centred().Shows(&T::cdDuration),
    Text("Label55", "pic2", "Bearish AB=CD", 6600, 4320, Yellow).Size(18),
    Text("Label14", "pic2", "AB Leg = ", 5760, 4920, Green),
    Text("legab(1)", "pic2", "0.0000", 6720, 4920, Green).After("Label14").Shows(&T::legAB),
    Text("Label15", "pic2", "BC Leg = ", 5760, 5400, Green),
    Text("legbc(1)", "pic2", "0.0000", 6720, 5400, Green).After("Label15").Shows(&T::legBC),
    Text("Label16", "pic2", "Fib. Ratio = ", 8160, 5160, Green),
    Text("zarib(1)", "pic2", "0.0000", 9240, 5160, Green).After("Label16").Shows(&T::ratio),
    Text("Label17", "pic2", "Signal =SELL at Point D", 6015, 6000, Red).Size(13.5).Centred(),
    NoMatch("noma2", "pic2", 2640, 3120).Kept(&K::noma2),
    Text("Label60", "pic2", "PRZ(D)", 11160, 3000, Yellow).Size(12),
    Text("Label5", "pic2", "StopLoss@", 11520, 720, Green),
    Text("sl2", "pic2", "1.9999", 12720, 720, Green)
        .After("Label5")
        .Kept(&K::sl2)
        .Shows(&T::stopLoss),
    StopBox("txtts2", "pic2", 12360, 1080, 93).Kept(&K::txtts2),
    Spinner("ud2", "pic2", 13080, 1080, 94).Kept(&K::ud2),
    Text("Label10", "pic2", "TP1(0.618CD)@", 11760, 5160, Green),
    Text("tp11", "pic2", "1.2178", 13320, 5160, Green).After("Label10").Shows(&T::takeProfit1),
    Text("Label9", "pic2", "TP2(0.618AD)@", 11760, 5880, Green),
    Text("tp22", "pic2", "1.2178", 13320, 5880, Green).After("Label9").Shows(&T::takeProfit2),
};

// Each text of an analysis has its one label on each panel.
constexpr bool EachTextOnce(std::string_view panel) {
    for (const auto& [name, text] : PanelTextList) {
        int labels = 0;
        for (const ControlRow& row : kPanels) {
            labels += row.container == panel && row.shows == text ? 1 : 0;
        }
        if (labels != 1) {
            return false;
        }
    }
    return true;
}
static_assert(EachTextOnce("pic1") && EachTextOnce("pic2"), "a text shown by no label, or by two");

constexpr DrawRow kBullish[] = {
    Line("leg AB", "pic1", 360, 840, 2040, 3960, Red, Pen::Solid, 2),
    Line("leg BC", "pic1", 2040, 3960, 3120, 2520, Red, Pen::Solid, 2),
    Line("leg CD", "pic1", 3120, 2520, 4800, 5640, Red, Pen::Solid, 2),
    Line("A to C guide", "pic1", 360, 840, 3120, 2520, LightYellow, Pen::Dash),
    Line("B to D guide", "pic1", 2040, 3960, 4800, 5640, LightYellow, Pen::Dash),
    Line("vertical at A", "pic1", 360, 240, 360, 6240, Pink, Pen::Dot),
    Line("vertical at B", "pic1", 2040, 240, 2040, 5760, Pink, Pen::Dot),
    Line("vertical at C", "pic1", 3120, 240, 3120, 6240, Pink, Pen::Dot),
    Line("vertical at D", "pic1", 4800, 240, 4800, 6240, Pink, Pen::Dot),
    Line("time span A to C", "pic1", 3120, 5520, 360, 5520, InactiveBorder, Pen::Dot),
    Line("time span C to D", "pic1", 4800, 1440, 3120, 1440, InactiveBorder, Pen::Dot),
    Oval("oval at D", "pic1", 4440, 5400, 735, 495, Red, LightYellow),
    Divider("divider left / middle", "pic1", 5400, 0, 6600, ActiveBorder, 3),
    Line("C to upper PRZ level", "pic1", 5640, 120, 7200, 1800, Red, Pen::Solid, 2),
    Line("C to lower PRZ level", "pic1", 5640, 120, 8760, 2640, Red, Pen::Solid, 2),
    Line("upper PRZ level", "pic1", 9480, 1800, 6000, 1800, Yellow, Pen::DashDot),
    Line("lower PRZ level", "pic1", 9480, 2640, 6000, 2640, Yellow, Pen::DashDot),
    Oval("PRZ oval", "pic1", 7200, 1800, 1575, 855, Red, LightYellow),
    Line("vertical at C", "pic1", 5640, 0, 5640, 3600, Pink, Pen::Dot),
    Line("vertical at D", "pic1", 8760, 2640, 8760, 3600, Pink, Pen::Dot),
    Line("time span C to D", "pic1", 8760, 3480, 5640, 3480, InactiveBorder, Pen::Dot),
    Line("divider above the title", "pic1", 5400, 3720, 10200, 3720, ActiveBorder, Pen::Dash, 3),
    Line("divider above the signal", "pic1", 9000, 5640, 6240, 5640, InactiveBorder, Pen::Dot),
    Divider("divider middle / right", "pic1", 10200, 0, 6600, ActiveBorder, 3),
    Oval("oval at D", "pic1", 10320, 2880, 735, 495, Red, LightYellow),
    Line("D to TP2", "pic1", 10440, 3120, 11760, 1080, Red, Pen::Solid, 2),
    Line("D to TP1", "pic1", 10440, 3120, 12120, 1680, Red, Pen::Solid, 2),
    Line("D to stop", "pic1", 10440, 3120, 11760, 5040, Red, Pen::Solid, 2),
    Line("TP2 level", "pic1", 13920, 1080, 10440, 1080, Yellow, Pen::DashDot),
    Line("TP1 level", "pic1", 13920, 1680, 10440, 1680, Yellow, Pen::DashDot),
    Line("stop level", "pic1", 13920, 5040, 10440, 5040, Yellow, Pen::DashDot),
};

constexpr DrawRow kBearish[] = {
    Line("leg AB", "pic2", 360, 5520, 2040, 2160, Red, Pen::Solid, 2),
    Line("leg BC", "pic2", 2040, 2160, 3120, 3960, Red, Pen::Solid, 2),
    Line("leg CD", "pic2", 3120, 3960, 4800, 840, Red, Pen::Solid, 2),
    Line("A to C guide", "pic2", 360, 5520, 3120, 3960, LightGreen, Pen::Dash),
    Line("B to D guide", "pic2", 2040, 2160, 4800, 840, LightGreen, Pen::Dash),
    Line("vertical at A", "pic2", 360, 360, 360, 6240, Pink, Pen::Dot),
    Line("vertical at B", "pic2", 2040, 840, 2040, 2400, Pink, Pen::Dot),
    Line("vertical at C", "pic2", 3120, 360, 3120, 6240, Pink, Pen::Dot),
    Line("vertical at D", "pic2", 4800, 240, 4800, 6240, Pink, Pen::Dot),
    Line("time span A to C", "pic2", 3120, 1080, 360, 1080, InactiveBorder, Pen::Dot),
    Line("time span C to D", "pic2", 4800, 5640, 3120, 5640, InactiveBorder, Pen::Dot),
    Oval("oval at D", "pic2", 4440, 600, 735, 495, Red, LightYellow),
    Divider("divider left / middle", "pic2", 5400, 0, 6600, ActiveBorder, 3),
    Line("C to upper PRZ level", "pic2", 5640, 4080, 8760, 1680, Red, Pen::Solid, 2),
    Line("C to lower PRZ level", "pic2", 5640, 4080, 7200, 2520, Red, Pen::Solid, 2),
    Line("upper PRZ level", "pic2", 9480, 1680, 6000, 1680, Yellow, Pen::DashDot),
    Line("lower PRZ level", "pic2", 9480, 2520, 6000, 2520, Yellow, Pen::DashDot),
    Oval("PRZ oval", "pic2", 7200, 1680, 1575, 855, Red, LightYellow),
    Line("vertical at C", "pic2", 5640, 720, 5640, 4080, Pink, Pen::Dot),
    Line("vertical at D", "pic2", 8760, 720, 8760, 1800, Pink, Pen::Dot),
    Line("time span C to D", "pic2", 8760, 840, 5640, 840, InactiveBorder, Pen::Dot),
    Line("divider above the title", "pic2", 5400, 4200, 10200, 4200, ActiveBorder, Pen::Dash, 3),
    Line("divider above the signal", "pic2", 8880, 5880, 6120, 5880, InactiveBorder, Pen::Dot),
    Divider("divider middle / right", "pic2", 10200, 0, 6600, ActiveBorder, 3),
    Oval("oval at D", "pic2", 10320, 2880, 735, 495, Red, LightYellow),
    Line("D to stop", "pic2", 10440, 3120, 11880, 960, Red, Pen::Solid, 2),
    Line("D to TP1", "pic2", 10440, 3120, 11640, 5400, Red, Pen::Solid, 2),
    Line("D to TP2", "pic2", 10440, 3120, 11520, 5880, Red, Pen::Solid, 2),
    Line("stop level", "pic2", 13920, 960, 10440, 960, Yellow, Pen::DashDot),
    Line("TP1 level", "pic2", 13920, 5400, 10440, 5400, Yellow, Pen::DashDot),
    Line("TP2 level", "pic2", 13920, 5880, 10440, 5880, Yellow, Pen::DashDot),
};

}  // namespace

std::span<const ControlRow> PanelRows() {
    return kPanels;
}

std::span<const DrawRow> PanelDrawing(std::string_view panel) {
    if (panel == "pic1") {
        return kBullish;
    }
    if (panel == "pic2") {
        return kBearish;
    }
    return {};
}

}  // namespace plovatrix::win
