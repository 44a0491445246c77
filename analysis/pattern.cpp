#include "pattern.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "numbers.h"

namespace plovatrix {

PatternInputs ReadPatternInputs(const FieldTexts& f) {
    PatternInputs in;
    in.aText = f.a;
    in.bText = f.b;
    in.cText = f.c;
    in.priceA = LeadingNumber(f.a);
    in.priceB = LeadingNumber(f.b);
    in.priceC = LeadingNumber(f.c);
    in.pipText = f.pointSize;
    in.pipSize = LeadingNumber(f.pointSize);
    in.tolText = f.tolerance;
    in.tolerancePips = LeadingNumber(f.tolerance);
    in.abText = f.abCandles;
    in.bcText = f.bcCandles;
    return in;
}

CheckOutcome CheckPatternInputs(const PatternInputs& in) {
    const auto positive = [](std::string_view text) { return AcceptableNumber(text, false); };
    const auto notNegative = [](std::string_view text) { return AcceptableNumber(text, true); };
    // A point size that is no positive number would make every leg in points
    // a division by zero; it fails like the empty text.
    const struct {
        bool ok;
        InputField field;
    } checks[] = {
        {positive(in.aText), InputField::A},
        {positive(in.bText), InputField::B},
        {positive(in.cText), InputField::C},
        {notNegative(in.tolText), InputField::Tolerance},
        {positive(in.pipText), InputField::PointSize},
        {notNegative(in.abText), InputField::AbCandles},
        {notNegative(in.bcText), InputField::BcCandles},
    };
    for (const auto& check : checks) {
        if (!check.ok) {
            return {false, check.field};
        }
    }
    return {};
}

PatternDirection DecideDirection(double priceA, double priceB) {
    if (priceB < priceA) {
        return PatternDirection::Bullish;
    }
    if (priceB > priceA) {
        return PatternDirection::Bearish;
    }
    return PatternDirection::None;
}

PatternLegs MeasureLegs(const PatternInputs& in) {
    PatternLegs legs;
    legs.legAB = in.priceA - in.priceB;
    legs.legBC = in.priceB - in.priceC;
    // Rounded in points first, the magnitude taken after.
    legs.abPips = std::fabs(RoundHalfEven(legs.legAB / in.pipSize, 4));
    legs.bcPips = std::fabs(RoundHalfEven(legs.legBC / in.pipSize, 4));
    legs.bcRatio = RoundHalfEven(legs.legBC / legs.legAB, 4);
    return legs;
}

namespace {

// The band test in exact decimals. Every value is taken as its Decimal15, the
// decimal it stands for to 15 digits, and the level and bounds are worked out
// from those without rounding: in doubles, 1.0 + 0.618 * 0.1 - 0.0005 is
// 1.0613000000000001 and refuses a C typed as 1.0613, and no rounding of the
// result can mend the cases where the bound is much smaller than the level.
//
// The decimals are counted in whole units of 10^-12 in plain 64-bit integers,
// within +-2^62 units (about 4.6 x 10^6). Six-character fields give at most 5
// decimals, so a level has at most 8 and the band's half width at most 10, and
// no price exceeds 999999: every value a bound near C needs fits. A bound out of
// reach lies millions away from any C, where the doubles cannot err.
using Units = std::int64_t;
constexpr int UnitExponent = -12;
// Strictly within, so that two values add or subtract without overflow.
constexpr Units Limit = Units(1) << 62;

bool Within(Units value) {
    return value > -Limit && value < Limit;
}

// d in units, or nothing when it is finer than a unit or out of the limit.
std::optional<Units> ToUnits(Decimal d) {
    if (d.digits == 0) {
        return Units(0);
    }
    for (; d.exponent < UnitExponent && d.digits % 10 == 0; ++d.exponent) {
        d.digits /= 10;
    }
    if (d.exponent < UnitExponent || !Within(d.digits)) {
        return std::nullopt;
    }
    for (; d.exponent > UnitExponent; --d.exponent) {
        if (d.digits > Limit / 10 || d.digits < -Limit / 10) {
            return std::nullopt;
        }
        d.digits *= 10;
    }
    return d.digits;
}

// x's Decimal15 in units.
std::optional<Units> ToUnits(double x) {
    return std::isfinite(x) ? ToUnits(Decimal15(x)) : std::nullopt;
}

std::optional<Units> Plus(std::optional<Units> a, std::optional<Units> b) {
    if (!a || !b || !Within(*a + *b)) {
        return std::nullopt;
    }
    return *a + *b;
}

std::optional<Units> Minus(std::optional<Units> a, std::optional<Units> b) {
    return b ? Plus(a, -*b) : std::nullopt;
}

std::optional<Units> Times(std::optional<Units> a, std::optional<Units> b) {
    if (!a || !b) {
        return std::nullopt;
    }
    // Each factor less its trailing zeros, so that the digits multiply within
    // the limit whenever the value fits it.
    Decimal x{*a, UnitExponent}, y{*b, UnitExponent};
    for (; x.digits % 10 == 0 && x.digits != 0; x.digits /= 10) {
        ++x.exponent;
    }
    for (; y.digits % 10 == 0 && y.digits != 0; y.digits /= 10) {
        ++y.exponent;
    }
    if (x.digits != 0 && std::abs(y.digits) > Limit / std::abs(x.digits)) {
        return std::nullopt;
    }
    return ToUnits(Decimal{x.digits * y.digits, x.exponent + y.exponent});
}

// C in the band of `retracement`, in exact decimals; nothing when a value is
// out of reach of the units (never one from six-character fields near a bound).
std::optional<bool> InBandExactly(const PatternInputs& in, double retracement) {
    const auto b = ToUnits(in.priceB);
    const auto level = Plus(b, Times(ToUnits(retracement), Minus(ToUnits(in.priceA), b)));
    const auto halfWidth = Times(ToUnits(in.tolerancePips), ToUnits(in.pipSize));
    const auto lower = Minus(level, halfWidth);
    const auto upper = Plus(level, halfWidth);
    const auto c = ToUnits(in.priceC);
    if (!lower || !upper || !c) {
        return std::nullopt;
    }
    return *lower <= *c && *c <= *upper;
}

}  // namespace

RatioMatch MatchRatioPair(const PatternInputs& in, const PatternLegs& legs) {
    const double halfWidth = in.tolerancePips * in.pipSize;
    // Farther than this from both bounds, the noise of the doubles cannot change
    // the answer; nearer, the exact decimals decide.
    const double near = 1e-9 * (std::fabs(in.priceA) + std::fabs(in.priceB) + std::fabs(in.priceC) +
                                std::fabs(halfWidth));
    for (size_t i = 0; i < FibTable.size(); ++i) {
        const FibPair& pair = FibTable[i];
        const double level = in.priceB + pair.retracement * legs.legAB;
        const double aboveLower = in.priceC - (level - halfWidth);
        const double belowUpper = level + halfWidth - in.priceC;
        bool inside = aboveLower >= 0 && belowUpper >= 0;
        if (!(std::fabs(aboveLower) > near && std::fabs(belowUpper) > near)) {
            inside = InBandExactly(in, pair.retracement).value_or(inside);
        }
        if (inside) {
            return {true, int(i) + 1, pair.retracement, pair.extension};
        }
    }
    return {};
}

TimeProjection MeasureCandles(std::string_view abText, std::string_view bcText, bool matched) {
    TimeProjection t;
    t.abText = abText;
    t.bcText = bcText;
    // The checks let only numbers of 0 or more through; anything else counts
    // as not given rather than as a number. For a number both conversions agree.
    const std::optional<double> ab = WholeNumber(abText);
    const std::optional<double> bc = WholeNumber(bcText);
    t.abGiven = ab && *ab != 0;
    t.bcGiven = bc && *bc != 0;
    t.missed = !t.abGiven || !t.bcGiven;
    t.projected = matched && !t.missed;
    if (t.projected) {
        t.abCandles = *ab;
        t.bcCandles = *bc;
        t.timeRatio = RoundHalfEven(t.bcCandles / t.abCandles, 3);
        t.cdCandles = t.abCandles;
    }
    return t;
}

CandleCountTexts DescribeCandleCounts(const TimeProjection& t) {
    CandleCountTexts out;
    out.abLabel = t.abGiven ? t.abText : "NOT GIVEN";
    out.bcLabel = t.bcGiven ? t.bcText : "NOT GIVEN";
    if (t.missed) {
        out.missedText = "Missed";
    }
    return out;
}

std::optional<CandleProjectionTexts> ProjectCandles(const TimeProjection& t,
                                                    std::string_view decimalPoint) {
    if (!t.projected) {
        return std::nullopt;
    }
    CandleProjectionTexts out;
    out.timeRatio = FormatGeneral(t.timeRatio, decimalPoint);
    out.cdCandles = "Should be:" + FormatStr(t.cdCandles);
    out.cdDuration = out.cdCandles + " Candle(s)";
    return out;
}

PriceProjection ProjectPrices(const PatternInputs& in, PatternDirection direction,
                              const PatternLegs& legs, const RatioMatch& match) {
    PriceProjection p;
    p.abcdTarget = RoundHalfEven(in.priceC - legs.legAB, 4);
    p.bcTarget = RoundHalfEven(in.priceC + match.extension * legs.legBC, 4);
    p.abcdAbove = p.abcdTarget > p.bcTarget;
    const bool bullish = direction == PatternDirection::Bullish;
    if (bullish) {
        p.priceD = p.abcdAbove ? p.bcTarget : p.abcdTarget;
    } else {
        p.priceD = p.abcdAbove ? p.abcdTarget : p.bcTarget;
    }
    p.stopLoss = StopLoss(p.priceD, StopPoints, in.pipSize, direction);
    p.takeProfit1 = RoundHalfEven(TargetRatio * (in.priceC - p.priceD) + p.priceD, 4);
    p.takeProfit2 = RoundHalfEven(TargetRatio * (in.priceA - p.priceD) + p.priceD, 4);
    return p;
}

PrzTexts OrderPrzTexts(double abcdTarget, double bcTarget, double extension) {
    std::string abcdText = "AB=CD@" + FormatStr(abcdTarget);
    std::string bcText = FormatStr(extension) + "BC@" + FormatStr(bcTarget);
    if (abcdTarget > bcTarget) {
        return {std::move(abcdText), std::move(bcText)};
    }
    return {std::move(bcText), std::move(abcdText)};
}

AnalysisResult Analyze(const PatternInputs& in) {
    AnalysisResult r;
    r.direction = DecideDirection(in.priceA, in.priceB);
    r.aText = in.aText;
    r.bText = in.bText;
    r.cText = in.cText;
    if (r.direction == PatternDirection::None) {
        return r;
    }
    r.legs = MeasureLegs(in);
    r.match = MatchRatioPair(in, r.legs);
    r.time = MeasureCandles(in.abText, in.bcText, r.match.matched);
    if (!r.match.matched) {
        return r;
    }
    r.prices = ProjectPrices(in, r.direction, r.legs, r.match);
    r.found = true;
    return r;
}

double StopLoss(double priceD, double points, double pipSize, PatternDirection direction) {
    const double stop = direction == PatternDirection::Bearish ? points * pipSize + priceD
                                                               : priceD - points * pipSize;
    // D has 4 decimals and the point size its own: rounded to the finer, this is
    // the exact stop, not a changed one, without the noise 0.0093 - 0.01 leaves.
    // The listed sizes need no more than 4, which is quickly seen.
    const bool fourOrFewer = RoundHalfEven(pipSize, 4) == pipSize;
    return RoundHalfEven(stop, fourOrFewer ? 4 : -Decimal15(pipSize).exponent);
}

std::string StopLossText(double priceD, int points, double pipSize, PatternDirection direction,
                         std::string_view decimalPoint) {
    return FormatGeneral(StopLoss(priceD, points, pipSize, direction), decimalPoint);
}

}  // namespace plovatrix
