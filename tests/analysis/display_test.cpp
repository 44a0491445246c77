// What one click on Analyze shows, through the display step: one row a case,
// the field texts in, the label texts out.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <numeric>
#include <random>
#include <string>

#include "display.h"
#include "reference.h"

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
    // "5", "0.0001", "0", "0" when left out. expect: text=shown pairs, where "~"
    // is a label not written; outcome, dir(ection), focus and D name the rest.
    // clang-format off
    const struct { const char *fields, *expect, *point = "."; } cases[] = {
        // The worked examples, bullish and bearish, on both rows of the ratio table (the window
        // test reads every label of one of each).
        {"1.3000|1.2000|1.2618", "dir=bullish|D=1.1618|abCandles=NOT GIVEN|bcCandles=NOT GIVEN|cdCandles=Missed|timeRatio=Missed|cdDuration=Missed"},
        {"1.3000|1.2000|1.2382", "D=1.1382|legBC=382|ratio=0.382|retracement= .382( .382)|extension=Should be: 2.24"},
        {"1.3000|1.2000|1.2382", "przUpper= 2.24BC@ 1.1526|przLower=AB=CD@ 1.1382|stopLoss=1.1377|takeProfit1=1.2|takeProfit2=1.2382"},
        {"1.2000|1.3000|1.2618", "dir=bearish|D=1.3618|priceA=1.2000|priceB=1.3000|priceC=1.2618|legAB=1000"},
        {"1.2000|1.3000|1.2618", "legBC=382|ratio=0.382|retracement= .382( .382)|extension=Should be: 2.24"},
        {"1.2000|1.3000|1.2382", "D=1.3382|legBC=618|ratio=0.618|extension=Should be: 1.618|stopLoss=1.3387"},
        {"1.2000|1.3000|1.2382", "przUpper= 1.618BC@ 1.3382|przLower=AB=CD@ 1.3382|takeProfit1=1.2764|takeProfit2=1.2528"},
        {"1.3|1.2|1.25", "D=1.15|retracement= .5( .5)|extension=Should be: 2|przUpper= 2BC@ 1.15|takeProfit1=1.2118"},
        {"1.30|1.20|1.2382", "priceA=1.30|priceB=1.20|takeProfit1=1.2"},
        {"130|120|126.18|5|0.01", "legAB=1000|legBC=618|stopLoss=116.13|takeProfit1=122.36|takeProfit2=124.7208"},
        {".12345|.1|.11|5|0.1", "legAB=0.2345|legBC=0.1|ratio=0.426"},  // legs to 4 places of a point
        {"3|1|.75302", "outcome=none|ratio=0.124"},  // the ratio to 4 places, then shown to 3
        // The time projection from the two candle counts.
        {"1.3|1.2|1.2618|5|0.0001|10|4", "abCandles=10|bcCandles=4|timeRatio=0.4|cdCandles=Should be: 10"},
        {"1.3|1.2|1.2618|5|0.0001|3|2", "timeRatio=0.667|cdDuration=Should be: 3 Candle(s)"},
        {"1.3|1.2|1.2618|5|0.0001|16|1", "timeRatio=0.062"}, {"1.3|1.2|1.2618|5|0.0001|4|8", "timeRatio=2"},
        {"1.3|1.2|1.2618|5|0.0001|05|5", "abCandles=05|timeRatio=1|cdCandles=Should be: 5"},
        {"1.3|1.2|1.2618|5|0.0001|0.5|1", "timeRatio=2|cdDuration=Should be: .5 Candle(s)"},
        {"1.3|1.2|1.2618|5|0.0001|0|7", "abCandles=NOT GIVEN|bcCandles=7|timeRatio=Missed|cdCandles=Missed"},
        {"1.3|1.2|1.2618|5|0.0001|7|0.0", "bcCandles=NOT GIVEN|cdDuration=Missed"}, {"1.3|1.2|1.2618|5|0.0001|00|3", "timeRatio=Missed"},
        // The locale's decimal point only where a number stands alone.
        {"1.3|1.2|1.2618|5|0.0001|10|4", "ratio=0,618|timeRatio=0,4|stopLoss=1,1613|takeProfit1=1,2236|takeProfit2=1,2472|legAB=1000", ","},
        {"1.3|1.2|1.2618|5|0.0001|10|4", "retracement= .618( .618)|extension=Should be: 1.618|przUpper= 1.618BC@ 1.1618|priceA=1.3", ","},
        // C on a band's edge matches, beside it not, also on a bound that is no exact double; where
        // rows overlap the first wins.
        {"1.3|1.2|1.2387", "extension=Should be: 2.24"}, {"1.3|1.2|1.2377", "extension=Should be: 2.24"},
        {"1.3|1.2|1.25|700", "extension=Should be: 2.24"}, {"1.3|1.2|1.25|0", "extension=Should be: 2"},
        {"1.3|1.2|1.2707", "extension=Should be: 1.414"}, {"1.3|1.2|1.2786", "extension=Should be: 1.27"},
        {"1.1|1.0|1.0613", "extension=Should be: 1.618"}, {"100|110|103.87|5|0.01", "extension=Should be: 1.618"},
        // A stop far below D: no binary noise (0.0679999999999999); none on D for a finer point.
        {"3|1.0|2.6|1|0.1", "stopLoss=0.068"}, {"1.3|1.2|1.2618|5|0.00001", "stopLoss=1.16175"},
        // No match: written up to the ratio; the time labels only when a count is missing.
        {"1.3|1.2|1.2388", "outcome=none|dir=bullish|ratio=0.388|retracement=~|timeRatio=Missed"},
        {"1.3|1.2|1.2376|5|0.0001|3|2", "outcome=none|abCandles=3|timeRatio=~|retracement=~"},
        {"1.3|1.2|1.2501|0", "outcome=none|retracement=~"}, {"1.3|1.2|1.35", "outcome=none|retracement=~"},
        {"1.2|1.2|1.25", "outcome=none|dir=none|priceA=~"},
        // A failed check moves the focus to the first bad field and writes nothing.
        {"0|0|0|0||0|0", "focus=A"}, {"|1.3|1.25", "focus=A"}, {"12abc|1.3|1.25", "focus=A"},
        {"1,2|1.3|1.25", "focus=A"}, {"1.2|0|0|-1|", "focus=B"}, {"1.2|1.2.3|1.25", "focus=B"},
        {"1.2|1.3|-1", "focus=C"}, {"1.2|1.3|1.25|-1", "focus=tolerance"}, {"1.2|1.3|1.25|x", "focus=tolerance"},
        {"1.2|1.3|1.25||", "focus=tolerance"}, {"1.2|1.3|1.25|5|", "focus=pointSize"}, {"1.2|1.3|1.25|5|abc", "focus=pointSize"},
        {"1.2|1.3|1.25|5|0", "focus=pointSize"}, {"1.2|1.3|1.25|5|-0.1", "focus=pointSize"},
        {"1.2|1.3|1.25|5|0.0001|abc|-3", "focus=abCandles"}, {"1.2|1.3|1.25|5|0.0001|-3", "focus=abCandles"},
        {"1.2|1.3|1.25|5|0.0001|4|", "focus=bcCandles"}, {"1.2|1.3|1.25|5|0.0001|4|-1", "focus=bcCandles"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields);
        std::vector<std::string> f = Pieces(c.fields);
        const char* defaults[] = {"", "", "", "5", "0.0001", "0", "0"};
        for (size_t i = f.size(); i < 7; ++i) {
            f.emplace_back(defaults[i]);
        }
        const ClickDisplay d = ComposeClick(reference::Fields(f), c.point);
        const char* outcomes[] = {"check", "none", "result"};
        const char* directions[] = {"bullish", "bearish", "none"};
        const char* fields[] = {"A", "B", "C", "tolerance", "pointSize", "abCandles", "bcCandles"};
        char priceD[32];
        std::snprintf(priceD, sizeof priceD, "%.15g", d.priceD);
        std::map<std::string, std::string> shown{{"outcome", outcomes[int(d.outcome)]},
                                                 {"dir", directions[int(d.direction)]},
                                                 {"D", priceD}};
        if (d.outcome == ClickOutcome::CheckFailed) {
            shown["focus"] = fields[int(d.focus)];
        }
        for (const auto& [name, text] : PanelTextList) {
            if (d.texts.*text) {
                shown[std::string(name)] = *(d.texts.*text);
            }
            EXPECT_TRUE(d.direction != PatternDirection::None || !(d.texts.*text)) << name;
        }
        std::map<std::string, std::string> expect{{"outcome", "result"}};
        for (const std::string& pair : Pieces(c.expect)) {
            expect[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
        }
        expect["outcome"] = expect.count("focus") ? "check" : expect["outcome"];
        for (const auto& [name, text] : expect) {
            EXPECT_EQ(shown.count(name) ? shown[name] : "~", text) << name;
        }
    }
}

// Every six-character magnitude (999999 to .00001) at 0 to 5 decimals, fractional tolerances,
// point sizes from 1 to 0.000001 and others, C on a bound of any row or one step of its last
// decimal beside it: the first row whose band holds C, worked out in whole numbers.
TEST(MatchRatioPair, AgreesWithExactDecimalsOnAndBesideBounds) {
    using reference::Exact, reference::Pow10;
    std::mt19937_64 random(10);
    const auto pick = [&random](long long n) { return static_cast<long long>(random() % n); };
    const auto typed = [&](int decimals) {  // 1 to 6 digits, 5 with a point
        const long long first = Pow10(int(pick(decimals > 0 ? 5 : 6)));
        return Exact{first + pick(9 * first), decimals};
    };
    const auto fits = [](Exact e) { return e.digits > 0 && e.digits < Pow10(e.decimals ? 5 : 6); };
    const auto value = [](Exact e) { return double(e.digits) / double(Pow10(e.decimals)); };
    for (int tested = 0; tested < 200000;) {
        const int d = int(pick(6)), row = int(pick(5)), points = int(pick(7));
        // Mostly A, the level and the half width on B's grid, so that C can lie on a bound.
        const long long r = std::llround(FibTable[size_t(row)].retracement * 1000);
        const long long step = 1000 / std::gcd(r, 1000LL);
        const Exact b = typed(d),
                    a = pick(4) ? Exact{b.digits + (typed(d).digits - b.digits) / step * step, d}
                                : typed(int(pick(6)));
        const int tolDecimals = int(pick(4) ? pick(std::max(d - points, 0) + 1) : pick(6));
        const Exact tol{pick(4) ? typed(tolDecimals).digits / 10 + 1 : 0, tolDecimals};
        const Exact pip{pick(4) ? 1 : typed(points).digits, points};
        const double bound = value(b) + double(r) / 1000 * (value(a) - value(b)) +
                             (pick(2) ? 1 : -1) * value(tol) * value(pip);
        const long long beside = pick(4) / 2;  // on the bound half the time
        const Exact c{std::llround(bound * double(Pow10(d))) + (pick(2) ? beside : -beside), d};
        if (!fits(a) || !fits(c)) {
            continue;
        }
        PatternInputs in;
        in.priceA = value(a), in.priceB = value(b), in.priceC = value(c);
        in.tolerancePips = value(tol), in.pipSize = value(pip);
        ASSERT_EQ(MatchRatioPair(in, MeasureLegs(in)).row, reference::MatchedRow(a, b, c, tol, pip))
            << in.priceA << " " << in.priceB << " " << in.priceC << " tol " << tol.digits << "e-"
            << tol.decimals << " point " << pip.digits << "e-" << pip.decimals;
        ++tested;
    }
}

// D with at most 4 decimals, each point size down to 0.00001 and 0 to 1000 points: exactly
// D -/+ n points, also where the stop is far smaller than D and the doubles leave noise.
TEST(StopLoss, ExactForEveryFourDecimalD) {
    // clang-format off
    const struct { double d; int n; double pip; const char* text; } noisy[] = {
        {0.0093, 1, 0.01, "-0.0007"}, {10.9965, 1000, 0.01, "0.9965"}, {0.0006, 5, 0.0001, "0.0001"},
        {0.0096, 9, 0.001, "0.0006"}, {1.1618, 5, 0.00001, "1.16175"},
    };
    // clang-format on
    for (const auto& c : noisy) {
        EXPECT_EQ(StopLossText(c.d, c.n, c.pip, PatternDirection::Bullish), c.text);
    }
    constexpr long long Spans[] = {100, 10000, 1000000, 100000000};
    constexpr long long Points[] = {10000, 1000, 100, 10, 1};  // 0.1 to 0.00001 in 10^-5
    std::mt19937_64 random(11);
    for (int i = 0; i < 200000; ++i) {
        const long long d = static_cast<long long>(random() % Spans[random() % 4]);
        const long long n = static_cast<long long>(random() % 1001), pip = Points[i % 5];
        const bool bearish = i / 5 % 2 == 1;
        ASSERT_EQ(StopLoss(double(d) / 1e4, double(n), double(pip) / 1e5,
                           bearish ? PatternDirection::Bearish : PatternDirection::Bullish),
                  double(d * 10 + (bearish ? n : -n) * pip) / 1e5)
            << d << " " << n << " " << pip;
    }
}
