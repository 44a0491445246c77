// The AB=CD analysis: records and operations of one click on Analyze.
// Plain doubles and texts; no window code.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace plovatrix {

// Points between D and the stop loss.
inline constexpr double StopPoints = 5;
// Share of CD (TP1) and of AD (TP2) that the targets lie back from D.
inline constexpr double TargetRatio = 0.618;

// The fields of the 4-point strip, in the order the window lists them.
enum class InputField { A, B, C, Tolerance, PointSize, AbCandles, BcCandles };

// The texts of the 4-point strip as the user left them.
struct FieldTexts {
    std::string a, b, c;    // txta4, txtb4, txtc4
    std::string tolerance;  // txttol4
    std::string pointSize;  // cmbpoint's current text
    std::string abCandles;  // txtab4
    std::string bcCandles;  // txtbc4
};

// The snapshot one analysis works on; values by the leading-number conversion.
struct PatternInputs {
    std::string aText, bText, cText;
    double priceA = 0, priceB = 0, priceC = 0;
    std::string pipText;
    double pipSize = 0;
    std::string tolText;
    double tolerancePips = 0;
    std::string abText, bcText;
};
PatternInputs ReadPatternInputs(const FieldTexts& fields);

// Passed, or the field that must receive the focus.
struct CheckOutcome {
    bool passed = true;
    InputField focus = InputField::A;
};
// The five checks in order, then the two candle counts (not numbers of 0 or
// more: A-B before B-C). A text that is no number fails like a non-positive one.
CheckOutcome CheckPatternInputs(const PatternInputs& in);

enum class PatternDirection { Bullish, Bearish, None };
PatternDirection DecideDirection(double priceA, double priceB);

struct FibPair {
    double retracement;  // of AB
    double extension;    // of BC
};
// Tested in this order; the first band that holds C wins.
inline constexpr std::array<FibPair, 5> FibTable{{
    {0.382, 2.24},
    {0.5, 2.0},
    {0.618, 1.618},
    {0.707, 1.414},
    {0.786, 1.27},
}};

struct PatternLegs {
    double legAB = 0;  // priceA - priceB, signed
    double legBC = 0;  // priceB - priceC, signed
    double abPips = 0;
    double bcPips = 0;
    double bcRatio = 0;  // legBC / legAB, 4 decimals, signed
};
PatternLegs MeasureLegs(const PatternInputs& in);

struct RatioMatch {
    bool matched = false;
    int row = 0;  // 1 to 5 when matched
    double retracement = 0;
    double extension = 0;
};
RatioMatch MatchRatioPair(const PatternInputs& in, const PatternLegs& legs);

// The candle-count side of one analysis.
struct TimeProjection {
    std::string abText, bcText;
    bool abGiven = false;
    bool bcGiven = false;
    bool missed = true;
    bool projected = false;
    double abCandles = 0;
    double bcCandles = 0;
    double timeRatio = 0;
    double cdCandles = 0;
};

// The candle counts of one analysis, each text read once. The projection is
// made only when a pair matched and both counts are given.
TimeProjection MeasureCandles(std::string_view abText, std::string_view bcText, bool matched);

// The texts of the first time step: the two count labels and, when a count is
// missing, "Missed" for the expected-CD, time-ratio and CD-duration labels.
struct CandleCountTexts {
    std::string abLabel, bcLabel;
    std::optional<std::string> missedText;  // "Missed" when a count is missing
};
CandleCountTexts DescribeCandleCounts(const TimeProjection& time);

// The texts of the second time step, only when the time was projected.
struct CandleProjectionTexts {
    std::string timeRatio;   // lbltfib
    std::string cdCandles;   // lblcan3: "Should be: 12"
    std::string cdDuration;  // lblt2: "Should be: 12 Candle(s)"
};
std::optional<CandleProjectionTexts> ProjectCandles(const TimeProjection& time,
                                                    std::string_view decimalPoint = ".");

struct PriceProjection {
    double abcdTarget = 0;
    double bcTarget = 0;
    bool abcdAbove = false;
    double priceD = 0;
    double stopLoss = 0;
    double takeProfit1 = 0;
    double takeProfit2 = 0;
};
PriceProjection ProjectPrices(const PatternInputs& in, PatternDirection direction,
                              const PatternLegs& legs, const RatioMatch& match);

// The two PRZ texts in price order: the upper label always shows the higher
// price (the BC text on a tie).
struct PrzTexts {
    std::string upper;
    std::string lower;
};
PrzTexts OrderPrzTexts(double abcdTarget, double bcTarget, double extension);

struct AnalysisResult {
    PatternDirection direction = PatternDirection::None;
    std::string aText, bText, cText;
    PatternLegs legs;
    RatioMatch match;
    TimeProjection time;
    PriceProjection prices;  // set only when found
    bool found = false;
};
// Direction, legs, matching and projections of inputs that passed the checks.
AnalysisResult Analyze(const PatternInputs& in);

// The stop n points beyond D (below it when bullish), to the finer of 4 decimals
// and the point size's. The analysis and both stop spinners take it from here.
double StopLoss(double priceD, double points, double pipSize, PatternDirection direction);
// That stop in the general form, as the spinners show it.
std::string StopLossText(double priceD, int points, double pipSize, PatternDirection direction,
                         std::string_view decimalPoint = ".");

}  // namespace plovatrix
