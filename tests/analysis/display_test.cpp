// What one click on Analyze shows, through the display step: one row a case,
// the field texts in, the label texts out.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
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
        // On a bound or level that is no exact double, both directions, every point size.
        {"1.1|1.0|1.0613", "lblfib2=Should be: 1.618"}, {"110|100|106.13|5|0.01", "lblfib2=Should be: 1.618"},
        {"0.675|0.075|0.375|0|0.001", "lblfib2=Should be: 2"}, {"17.7|16|17.4506|4|0.1", "lblfib2=Should be: 1.618"},
        {"1.0017|1.4517|1.2267|0", "lblfib22=Should be: 2"}, {"100|110|103.87|5|0.01", "lblfib22=Should be: 1.618"},
        {"0.01|0.16|0.0613|6|0.001", "lblfib22=Should be: 1.618"}, {"12.3|12.9|12.6|0|0.1", "lblfib22=Should be: 2"},
        // A stop far below D: no binary noise (0.0679999999999999).
        {"3|1.0|2.6|1|0.1", "sl1=0.068"},
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

// The exact references below count in units of 0.0001: the point sizes 0.1 to 0.0001.
constexpr long long PointUnits[] = {1000, 100, 10, 1};

// C on a bound of any row, or one point outside it: the first row whose exact band holds C.
TEST(MatchRatioPair, AgreesWithExactDecimalsOnAndBesideBounds) {
    constexpr long long Permille[] = {382, 500, 618, 707, 786};
    constexpr long long LegStep[] = {500, 2, 500, 1000, 500};  // puts the level on the grid
    std::mt19937_64 random(10);
    const auto pick = [&random](long long n) { return static_cast<long long>(random() % n); };
    for (int tested = 0; tested < 100000;) {
        const long long row = pick(5), pip = PointUnits[pick(4)], tol = pick(3) ? pick(100) : 0;
        const long long b = pick(99999) + 1, leg = (pick(201) - 100) * LegStep[row];
        const long long level = b + Permille[row] * leg / 1000, half = tol * pip;
        const long long c = level + (pick(2) ? 1 : -1) * (half + pick(2) * pip);
        if (leg == 0 || b + leg <= 0 || c <= 0) {
            continue;
        }
        int expected = 0;
        for (int r = 4; r >= 0; --r) {
            const bool inside = std::llabs(c * 1000 - b * 1000 - Permille[r] * leg) <= half * 1000;
            expected = inside ? r + 1 : expected;
        }
        PatternInputs in;
        in.priceA = double(b + leg) / 1e4, in.priceB = double(b) / 1e4, in.priceC = double(c) / 1e4;
        in.pipSize = double(pip) / 1e4, in.tolerancePips = double(tol);
        ASSERT_EQ(MatchRatioPair(in, MeasureLegs(in)).row, expected)
            << b + leg << " " << b << " " << c << " tol " << tol << " pip " << pip;
        ++tested;
    }
}

// D with at most 4 decimals, each point size and 0 to 1000 points: exactly D -/+ n
// points, also where the stop is far smaller than D and the doubles leave noise.
TEST(StopLoss, ExactForEveryFourDecimalD) {
    // clang-format off
    const struct { double d; int n; double pip; const char* text; } noisy[] = {
        {0.0093, 1, 0.01, "-0.0007"}, {10.9965, 1000, 0.01, "0.9965"}, {0.0006, 5, 0.0001, "0.0001"},
        {0.0096, 9, 0.001, "0.0006"},
    };
    // clang-format on
    for (const auto& c : noisy) {
        EXPECT_EQ(StopLossText(c.d, c.n, c.pip, PatternDirection::Bullish), c.text);
    }
    constexpr long long Spans[] = {100, 10000, 1000000, 100000000};
    std::mt19937_64 random(11);
    for (int i = 0; i < 200000; ++i) {
        const long long d = static_cast<long long>(random() % Spans[random() % 4]);
        const long long n = static_cast<long long>(random() % 1001), pip = PointUnits[i % 4];
        const bool bearish = i / 4 % 2 == 1;
        ASSERT_EQ(StopLoss(double(d) / 1e4, double(n), double(pip) / 1e4,
                           bearish ? PatternDirection::Bearish : PatternDirection::Bullish),
                  double(d + (bearish ? n : -n) * pip) / 1e4)
            << d << " " << n << " " << pip;
    }
}
