// Every text one click on Analyze shows, through the display step.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "display.h"

using namespace plovatrix;

namespace {

// Field texts in the order of the strip: A, B, C, tolerance, point size,
// candles A-B, candles B-C.
FieldTexts Fields(std::string a, std::string b, std::string c, std::string tol = "5",
                  std::string pip = "0.0001", std::string ab = "0", std::string bc = "0") {
    return {std::move(a),   std::move(b),  std::move(c), std::move(tol),
            std::move(pip), std::move(ab), std::move(bc)};
}

// What each label shows once the click is over.
std::map<std::string, std::string> Shown(const ClickDisplay& d) {
    std::map<std::string, std::string> shown;
    for (const LabelWrite& w : d.labels) {
        shown[w.control] = w.text;
    }
    return shown;
}

void ExpectShows(const ClickDisplay& d, const std::map<std::string, std::string>& expected) {
    const auto shown = Shown(d);
    for (const auto& [control, text] : expected) {
        const auto it = shown.find(control);
        ASSERT_NE(it, shown.end()) << control << " was not written";
        EXPECT_EQ(it->second, text) << control;
    }
}

}  // namespace

TEST(ComposeClick, WorkedExamplesOnBothPanels) {
    const struct {
        FieldTexts fields;
        const char* panel;
        double priceD;
        std::map<std::string, std::string> texts;
    } cases[] = {
        {Fields("1.3000", "1.2000", "1.2618"),
         "pic1",
         1.1618,
         {{"lbla", "1.3000"},
          {"lblb", "1.2000"},
          {"lblc", "1.2618"},
          {"legab(0)", "1000"},
          {"legbc(0)", "618"},
          {"zarib(0)", "0.618"},
          {"lblfib1", " .618( .618)"},
          {"lblfib2", "Should be: 1.618"},
          {"lblabcd", " 1.618BC@ 1.1618"},
          {"lblofbc", "AB=CD@ 1.1618"},
          {"sl1", "1.1613"},
          {"tp1", "1.2236"},
          {"tp2", "1.2472"},
          {"lblcan1", "NOT GIVEN"},
          {"lblcan2", "NOT GIVEN"},
          {"lblcan3", "Missed"},
          {"lbltfib", "Missed"},
          {"lblt2", "Missed"}}},
        {Fields("1.3000", "1.2000", "1.2382"),
         "pic1",
         1.1382,
         {{"legab(0)", "1000"},
          {"legbc(0)", "382"},
          {"zarib(0)", "0.382"},
          {"lblfib1", " .382( .382)"},
          {"lblfib2", "Should be: 2.24"},
          {"lblabcd", " 2.24BC@ 1.1526"},
          {"lblofbc", "AB=CD@ 1.1382"},
          {"sl1", "1.1377"},
          {"tp1", "1.2"},
          {"tp2", "1.2382"}}},
        {Fields("1.2000", "1.3000", "1.2618"),
         "pic2",
         1.3618,
         {{"lbla2", "1.2000"},
          {"lblb2", "1.3000"},
          {"lblc2", "1.2618"},
          {"legab(1)", "1000"},
          {"legbc(1)", "382"},
          {"zarib(1)", "0.382"},
          {"lblfib12", " .382( .382)"},
          {"lblfib22", "Should be: 2.24"},
          {"lblabcd2", "AB=CD@ 1.3618"},
          {"lblofbc2", " 2.24BC@ 1.3474"},
          {"sl2", "1.3623"},
          {"tp11", "1.3"},
          {"tp22", "1.2618"},
          {"lblcan12", "NOT GIVEN"},
          {"lbltfib2", "Missed"}}},
        {Fields("1.2000", "1.3000", "1.2382"),
         "pic2",
         1.3382,
         {{"legbc(1)", "618"},
          {"zarib(1)", "0.618"},
          {"lblfib12", " .618( .618)"},
          {"lblfib22", "Should be: 1.618"},
          {"lblabcd2", " 1.618BC@ 1.3382"},
          {"lblofbc2", "AB=CD@ 1.3382"},
          {"sl2", "1.3387"},
          {"tp11", "1.2764"},
          {"tp22", "1.2528"}}},
        // Row 2: the retracement without its 0, the extension a whole number.
        {Fields("1.3", "1.2", "1.25"),
         "pic1",
         1.15,
         {{"lblfib1", " .5( .5)"},
          {"lblfib2", "Should be: 2"},
          {"lblabcd", " 2BC@ 1.15"},
          {"lblofbc", "AB=CD@ 1.15"},
          {"tp1", "1.2118"}}},
        // A price is shown as typed; a target that rounds to 1.2 without zeros.
        {Fields("1.30", "1.20", "1.2382"),
         "pic1",
         1.1382,
         {{"lbla", "1.30"}, {"lblb", "1.20"}, {"tp1", "1.2"}}},
        // A stop far below D: no binary noise (0.0679999999999999).
        {Fields("3", "1.0", "2.6", "1", "0.1"), "pic1", 0.568, {{"sl1", "0.068"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields.a + " " + c.fields.b + " " + c.fields.c);
        const ClickDisplay d = ComposeClick(c.fields);
        ASSERT_EQ(d.outcome, ClickOutcome::Result);
        EXPECT_EQ(d.panel, c.panel);
        EXPECT_EQ(d.hiddenPanel, std::string(c.panel) == "pic1" ? "pic2" : "pic1");
        EXPECT_EQ(d.noMatchLabel, std::string(c.panel) == "pic1" ? "noma1" : "noma2");
        EXPECT_EQ(d.priceD, c.priceD);
        ExpectShows(d, c.texts);
    }
}

TEST(ComposeClick, WritesInTheOrderOfTheClick) {
    const ClickDisplay d = ComposeClick(Fields("1.3", "1.2", "1.2618", "5", "0.0001", "10", "4"));
    std::string order;
    for (const LabelWrite& w : d.labels) {
        order += w.control;
        order += ' ';
    }
    EXPECT_EQ(order,
              "lbla lblb lblc lblcan1 lblcan2 legab(0) legbc(0) zarib(0) lblfib1 lblfib2 "
              "lbltfib lblcan3 lblt2 lblabcd lblofbc sl1 tp1 tp2 ");
}

TEST(ComposeClick, TimeProjection) {
    const struct {
        const char *ab, *bc, *can1, *can2, *tfib, *can3, *t2;
    } cases[] = {
        {"10", "4", "10", "4", "0.4", "Should be: 10", "Should be: 10 Candle(s)"},
        {"3", "2", "3", "2", "0.667", "Should be: 3", "Should be: 3 Candle(s)"},
        {"16", "1", "16", "1", "0.062", "Should be: 16", "Should be: 16 Candle(s)"},
        {"4", "8", "4", "8", "2", "Should be: 4", "Should be: 4 Candle(s)"},
        {"05", "5", "05", "5", "1", "Should be: 5", "Should be: 5 Candle(s)"},
        {"0.5", "1", "0.5", "1", "2", "Should be: .5", "Should be: .5 Candle(s)"},
        {"0", "7", "NOT GIVEN", "7", "Missed", "Missed", "Missed"},
        {"7", "0.0", "7", "NOT GIVEN", "Missed", "Missed", "Missed"},
        {"0", "0", "NOT GIVEN", "NOT GIVEN", "Missed", "Missed", "Missed"},
        {"00", "3", "NOT GIVEN", "3", "Missed", "Missed", "Missed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.ab) + "/" + c.bc);
        const ClickDisplay d =
            ComposeClick(Fields("1.3", "1.2", "1.2618", "5", "0.0001", c.ab, c.bc));
        ExpectShows(d, {{"lblcan1", c.can1},
                        {"lblcan2", c.can2},
                        {"lbltfib", c.tfib},
                        {"lblcan3", c.can3},
                        {"lblt2", c.t2}});
    }
}

TEST(ComposeClick, FailedChecksNameTheFirstField) {
    const struct {
        FieldTexts fields;
        InputField focus;
    } cases[] = {
        {Fields("0", "0", "0", "0", "", "0", "0"), InputField::A},
        {Fields("1.2", "0", "0", "-1", ""), InputField::B},
        {Fields("1.2", "1.3", "-1"), InputField::C},
        {Fields("1.2", "1.3", "1.25", "-1"), InputField::Tolerance},
        {Fields("1.2", "1.3", "1.25", "5", ""), InputField::PointSize},
        // Text that is no number fails as a non-positive value does.
        {Fields("", "1.3", "1.25"), InputField::A},
        {Fields("abc", "1.3", "1.25"), InputField::A},
        {Fields("12abc", "1.3", "1.25"), InputField::A},
        {Fields("1,2", "1.3", "1.25"), InputField::A},
        {Fields("1.2", "1.2.3", "1.25"), InputField::B},
        {Fields("1.2", "1.3", "1.25", ""), InputField::Tolerance},
        {Fields("1.2", "1.3", "1.25", "x"), InputField::Tolerance},
        {Fields("1.2", "1.3", "1.25", "5", "abc"), InputField::PointSize},
        {Fields("1.2", "1.3", "1.25", "5", "0"), InputField::PointSize},
        {Fields("1.2", "1.3", "1.25", "5", "-0.1"), InputField::PointSize},
        {Fields("1.2", "1.3", "1.25", "5", "0.0001", "abc", "-3"), InputField::AbCandles},
        {Fields("1.2", "1.3", "1.25", "5", "0.0001", "-3"), InputField::AbCandles},
        {Fields("1.2", "1.3", "1.25", "5", "0.0001", "4", ""), InputField::BcCandles},
        {Fields("1.2", "1.3", "1.25", "5", "0.0001", "4", "-1"), InputField::BcCandles},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields.a + "|" + c.fields.b + "|" + c.fields.c + "|" + c.fields.tolerance +
                     "|" + c.fields.pointSize + "|" + c.fields.abCandles + "|" +
                     c.fields.bcCandles);
        const ClickDisplay d = ComposeClick(c.fields);
        EXPECT_EQ(d.outcome, ClickOutcome::CheckFailed);
        EXPECT_EQ(d.focus, c.focus);
        EXPECT_TRUE(d.labels.empty());
    }
    EXPECT_EQ(ControlName(InputField::PointSize), "cmbpoint");
    EXPECT_EQ(ControlName(InputField::BcCandles), "txtbc4");
}

TEST(ComposeClick, BandsAndTies) {
    const struct {
        const char *c, *tol;
        bool matched;
        const char* fib2;  // the extension of the matched row
        const char *a = "1.3000", *b = "1.2000", *pip = "0.0001";
    } cases[] = {
        {"1.2387", "5", true, "Should be: 2.24"},  // on row 1's upper bound
        {"1.2377", "5", true, "Should be: 2.24"},  // on row 1's lower bound
        {"1.2388", "5", false, ""},                // between rows 1 and 2
        {"1.2376", "5", false, ""},
        {"1.25", "700", true, "Should be: 2.24"},  // rows 1 and 2 overlap: row 1 wins
        {"1.25", "0", true, "Should be: 2"},       // a zero band: C on the level
        {"1.2501", "0", false, ""},
        {"1.2707", "5", true, "Should be: 1.414"},
        {"1.2786", "5", true, "Should be: 1.27"},
        {"1.35", "5", false, ""},  // C beyond A
        // On a bound or level that is no exact double, both directions, every point size.
        {"1.0613", "5", true, "Should be: 1.618", "1.1", "1.0"},
        {"106.13", "5", true, "Should be: 1.618", "110", "100", "0.01"},
        {"0.375", "0", true, "Should be: 2", "0.675", "0.075", "0.001"},
        {"17.4506", "4", true, "Should be: 1.618", "17.7", "16", "0.1"},  // not row 4
        {"1.2267", "0", true, "Should be: 2", "1.0017", "1.4517"},
        {"103.87", "5", true, "Should be: 1.618", "100", "110", "0.01"},
        {"0.0613", "6", true, "Should be: 1.618", "0.01", "0.16", "0.001"},
        {"12.6", "0", true, "Should be: 2", "12.3", "12.9", "0.1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " " + c.b + " " + c.c + " tol " + c.tol + " " + c.pip);
        const ClickDisplay d = ComposeClick(Fields(c.a, c.b, c.c, c.tol, c.pip));
        if (c.matched) {
            ASSERT_EQ(d.outcome, ClickOutcome::Result);
            ExpectShows(d, {{d.panel == "pic1" ? "lblfib2" : "lblfib22", c.fib2}});
        } else {
            ASSERT_EQ(d.outcome, ClickOutcome::NoPattern);
            EXPECT_EQ(d.panel, "pic1");
            // Filled up to the legs and the ratio; nothing beyond.
            EXPECT_STREQ(d.labels.back().control, "zarib(0)");
            EXPECT_EQ(Shown(d).count("lblfib1"), 0u);
        }
    }
}

TEST(ComposeClick, NoMatchKeepsTimeLabelsUnlessACountIsMissing) {
    const auto given = Shown(ComposeClick(Fields("1.3", "1.2", "1.2388", "5", "0.0001", "3", "2")));
    EXPECT_EQ(given.at("lblcan1"), "3");
    EXPECT_EQ(given.count("lbltfib"), 0u);
    const auto missing = Shown(ComposeClick(Fields("1.3", "1.2", "1.2388")));
    EXPECT_EQ(missing.at("lbltfib"), "Missed");
}

TEST(ComposeClick, AEqualToBShowsNothing) {
    const ClickDisplay d = ComposeClick(Fields("1.2", "1.2", "1.25"));
    EXPECT_EQ(d.outcome, ClickOutcome::NoPattern);
    EXPECT_EQ(d.direction, PatternDirection::None);
    EXPECT_EQ(d.panel, "");
    EXPECT_TRUE(d.labels.empty());
}

TEST(ComposeClick, LocaleDecimalPointOnlyWhereNumbersStandAlone) {
    const ClickDisplay d =
        ComposeClick(Fields("1.3", "1.2", "1.2618", "5", "0.0001", "10", "4"), ",");
    ExpectShows(d, {{"zarib(0)", "0,618"},
                    {"lbltfib", "0,4"},
                    {"sl1", "1,1613"},
                    {"tp1", "1,2236"},
                    {"tp2", "1,2472"},
                    {"legab(0)", "1000"},
                    {"lblfib1", " .618( .618)"},
                    {"lblfib2", "Should be: 1.618"},
                    {"lblabcd", " 1.618BC@ 1.1618"},
                    {"lbla", "1.3"}});
}

TEST(ComposeClick, OtherPointSizes) {
    // Legs in points follow the point size; prices do not.
    const ClickDisplay d = ComposeClick(Fields("130", "120", "126.18", "5", "0.01"));
    ASSERT_EQ(d.outcome, ClickOutcome::Result);
    ExpectShows(d, {{"legab(0)", "1000"},
                    {"legbc(0)", "618"},
                    {"sl1", "116.13"},
                    {"tp1", "122.36"},
                    {"tp2", "124.7208"}});
}

TEST(StopLossText, MovesAwayFromDByThePoints) {
    const struct {
        double priceD;
        int points;
        double pip;
        PatternDirection direction;
        const char* text;
    } cases[] = {
        {1.2178, 8, 0.0001, PatternDirection::Bullish, "1.217"},
        {1.2178, 8, 0.0001, PatternDirection::Bearish, "1.2186"},
        {1.2178, 0, 0.0001, PatternDirection::Bullish, "1.2178"},
        {1.2178, 5, 0.0001, PatternDirection::Bullish, "1.2173"},
        {1.1618, 5, 0.0001, PatternDirection::Bullish, "1.1613"},
        {1.3618, 5, 0.0001, PatternDirection::Bearish, "1.3623"},
        {0, 5, 0, PatternDirection::Bullish, "0"},
        {1.2, 1000, 0.1, PatternDirection::Bullish, "-98.8"},
        // Far below D the difference carries binary noise; the stop shows none.
        {0.0093, 1, 0.01, PatternDirection::Bullish, "-0.0007"},
        {10.9965, 1000, 0.01, PatternDirection::Bullish, "0.9965"},
        {0.0006, 5, 0.0001, PatternDirection::Bullish, "0.0001"},
        {0.0096, 9, 0.001, PatternDirection::Bullish, "0.0006"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StopLossText(c.priceD, c.points, c.pip, c.direction), c.text);
    }
    EXPECT_EQ(StopLossText(1.2178, 8, 0.0001, PatternDirection::Bullish, ","), "1,217");
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

// D with at most 4 decimals, each point size and 0 to 1000 points: exactly D -/+ n points.
TEST(StopLoss, ExactForEveryFourDecimalD) {
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
