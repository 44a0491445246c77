// What one click on Analyze shows, through the display step: one row a case,
// the field texts in, the label texts out.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "display.h"

using namespace plovatrix;

namespace {

// Splits "a|b|c" at each '|'.
std::vector<std::string> Pieces(const std::string& text) {
    std::vector<std::string> pieces(1);
    for (char c : text) {
        if (c == '|') {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    return pieces;
}

}  // namespace

TEST(ComposeClick, ShowsWhatTheFieldsGive) {
    // fields: A|B|C|tolerance|point size|candles A-B|candles B-C, the last four
    // "5", "0.0001", "0", "0" when left out. expect: control=text pairs, where
    // "~" is a label not written; outcome, panel and focus name the rest.
    // clang-format off
    const struct { const char *fields, *expect, *point = "."; } cases[] = {
        // The worked examples, bullish and bearish, on both rows of the ratio table.
        {"1.3000|1.2000|1.2618", "panel=pic1|D=1.1618|lbla=1.3000|lblb=1.2000|lblc=1.2618|legab(0)=1000|legbc(0)=618"},
        {"1.3000|1.2000|1.2618", "zarib(0)=0.618|lblfib1= .618( .618)|lblfib2=Should be: 1.618|lblabcd= 1.618BC@ 1.1618"},
        {"1.3000|1.2000|1.2618", "lblofbc=AB=CD@ 1.1618|sl1=1.1613|tp1=1.2236|tp2=1.2472|lblcan1=NOT GIVEN"},
        {"1.3000|1.2000|1.2618", "lblcan2=NOT GIVEN|lblcan3=Missed|lbltfib=Missed|lblt2=Missed"},
        {"1.3000|1.2000|1.2382", "D=1.1382|legbc(0)=382|zarib(0)=0.382|lblfib1= .382( .382)|lblfib2=Should be: 2.24"},
        {"1.3000|1.2000|1.2382", "lblabcd= 2.24BC@ 1.1526|lblofbc=AB=CD@ 1.1382|sl1=1.1377|tp1=1.2|tp2=1.2382"},
        {"1.2000|1.3000|1.2618", "panel=pic2|D=1.3618|lbla2=1.2000|lblb2=1.3000|lblc2=1.2618|legab(1)=1000"},
        {"1.2000|1.3000|1.2618", "legbc(1)=382|zarib(1)=0.382|lblfib12= .382( .382)|lblfib22=Should be: 2.24"},
        {"1.2000|1.3000|1.2618|5|0.0001|10|4", "lblabcd2=AB=CD@ 1.3618|lblofbc2= 2.24BC@ 1.3474|sl2=1.3623|tp11=1.3"},
        {"1.2000|1.3000|1.2618|5|0.0001|10|4", "tp22=1.2618|lblcan12=10|lblcan22=4|lbltfib2=0.4|lblcan32=Should be: 10"},
        {"1.2000|1.3000|1.2618|5|0.0001|10|4", "lblt22=Should be: 10 Candle(s)"},
        {"1.2000|1.3000|1.2382", "D=1.3382|legbc(1)=618|zarib(1)=0.618|lblfib22=Should be: 1.618|sl2=1.3387"},
        {"1.2000|1.3000|1.2382", "lblabcd2= 1.618BC@ 1.3382|lblofbc2=AB=CD@ 1.3382|tp11=1.2764|tp22=1.2528"},
        {"1.3|1.2|1.25", "D=1.15|lblfib1= .5( .5)|lblfib2=Should be: 2|lblabcd= 2BC@ 1.15|tp1=1.2118"},
        {"1.30|1.20|1.2382", "lbla=1.30|lblb=1.20|tp1=1.2"},
        {"130|120|126.18|5|0.01", "legab(0)=1000|legbc(0)=618|sl1=116.13|tp1=122.36|tp2=124.7208"},
        // The time projection from the two candle counts.
        {"1.3|1.2|1.2618|5|0.0001|10|4", "lblcan1=10|lblcan2=4|lbltfib=0.4|lblcan3=Should be: 10"},
        {"1.3|1.2|1.2618|5|0.0001|3|2", "lbltfib=0.667|lblt2=Should be: 3 Candle(s)"},
        {"1.3|1.2|1.2618|5|0.0001|16|1", "lbltfib=0.062"}, {"1.3|1.2|1.2618|5|0.0001|4|8", "lbltfib=2"},
        {"1.3|1.2|1.2618|5|0.0001|05|5", "lblcan1=05|lbltfib=1|lblcan3=Should be: 5"},
        {"1.3|1.2|1.2618|5|0.0001|0.5|1", "lbltfib=2|lblt2=Should be: .5 Candle(s)"},
        {"1.3|1.2|1.2618|5|0.0001|0|7", "lblcan1=NOT GIVEN|lblcan2=7|lbltfib=Missed|lblcan3=Missed"},
        {"1.3|1.2|1.2618|5|0.0001|7|0.0", "lblcan2=NOT GIVEN|lblt2=Missed"}, {"1.3|1.2|1.2618|5|0.0001|00|3", "lbltfib=Missed"},
        // The locale's decimal point only where a number stands alone.
        {"1.3|1.2|1.2618|5|0.0001|10|4", "zarib(0)=0,618|lbltfib=0,4|sl1=1,1613|tp1=1,2236|tp2=1,2472|legab(0)=1000", ","},
        {"1.3|1.2|1.2618|5|0.0001|10|4", "lblfib1= .618( .618)|lblfib2=Should be: 1.618|lblabcd= 1.618BC@ 1.1618|lbla=1.3", ","},
        // C on a band's edge matches, beside it not; where rows overlap the first wins.
        {"1.3|1.2|1.2387", "lblfib2=Should be: 2.24"}, {"1.3|1.2|1.2377", "lblfib2=Should be: 2.24"},
        {"1.3|1.2|1.25|700", "lblfib2=Should be: 2.24"}, {"1.3|1.2|1.25|0", "lblfib2=Should be: 2"},
        {"1.3|1.2|1.2707", "lblfib2=Should be: 1.414"}, {"1.3|1.2|1.2786", "lblfib2=Should be: 1.27"},
        // No match: written up to the ratio; the time labels only when a count is missing.
        {"1.3|1.2|1.2388", "outcome=none|panel=pic1|zarib(0)=0.388|lblfib1=~|lbltfib=Missed"},
        {"1.3|1.2|1.2376|5|0.0001|3|2", "outcome=none|lblcan1=3|lbltfib=~|lblfib1=~"},
        {"1.3|1.2|1.2501|0", "outcome=none|lblfib1=~"}, {"1.3|1.2|1.35", "outcome=none|lblfib1=~"},
        {"1.2|1.2|1.25", "outcome=none|panel=|lbla=~"},
        // A failed check moves the focus to the first bad field and writes nothing.
        {"0|0|0|0||0|0", "focus=txta4"}, {"|1.3|1.25", "focus=txta4"}, {"12abc|1.3|1.25", "focus=txta4"},
        {"1,2|1.3|1.25", "focus=txta4"}, {"1.2|0|0|-1|", "focus=txtb4"}, {"1.2|1.2.3|1.25", "focus=txtb4"},
        {"1.2|1.3|-1", "focus=txtc4"}, {"1.2|1.3|1.25|-1", "focus=txttol4"}, {"1.2|1.3|1.25|x", "focus=txttol4"},
        {"1.2|1.3|1.25||", "focus=txttol4"}, {"1.2|1.3|1.25|5|", "focus=cmbpoint"}, {"1.2|1.3|1.25|5|abc", "focus=cmbpoint"},
        {"1.2|1.3|1.25|5|0", "focus=cmbpoint"}, {"1.2|1.3|1.25|5|-0.1", "focus=cmbpoint"},
        {"1.2|1.3|1.25|5|0.0001|abc|-3", "focus=txtab4"}, {"1.2|1.3|1.25|5|0.0001|-3", "focus=txtab4"},
        {"1.2|1.3|1.25|5|0.0001|4|", "focus=txtbc4"}, {"1.2|1.3|1.25|5|0.0001|4|-1", "focus=txtbc4"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields);
        std::vector<std::string> f = Pieces(c.fields);
        const char* defaults[] = {"", "", "", "5", "0.0001", "0", "0"};
        for (size_t i = f.size(); i < 7; ++i) {
            f.emplace_back(defaults[i]);
        }
        const ClickDisplay d = ComposeClick({f[0], f[1], f[2], f[3], f[4], f[5], f[6]}, c.point);
        const char* outcomes[] = {"check", "none", "result"};
        char priceD[32];
        std::snprintf(priceD, sizeof priceD, "%.15g", d.priceD);
        std::map<std::string, std::string> shown{
            {"outcome", outcomes[int(d.outcome)]}, {"panel", d.panel}, {"D", priceD}};
        if (d.outcome == ClickOutcome::CheckFailed) {
            shown["focus"] = ControlName(d.focus);
            EXPECT_TRUE(d.labels.empty());
        }
        for (const LabelWrite& w : d.labels) {
            shown[w.control] = w.text;
        }
        std::map<std::string, std::string> expect{{"outcome", "result"}};
        for (const std::string& pair : Pieces(c.expect)) {
            expect[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
        }
        expect["outcome"] = expect.count("focus") ? "check" : expect["outcome"];
        for (const auto& [control, text] : expect) {
            EXPECT_EQ(shown.count(control) ? shown[control] : "~", text) << control;
        }
        if (!d.panel.empty()) {
            const bool bullish = d.panel == "pic1";
            EXPECT_EQ(d.hiddenPanel, bullish ? "pic2" : "pic1");
            EXPECT_EQ(d.noMatchLabel, bullish ? "noma1" : "noma2");
        }
    }
}
