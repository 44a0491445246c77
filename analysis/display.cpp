#include "display.h"

#include <cmath>

#include "numbers.h"

namespace plovatrix {

ClickDisplay ComposeClick(const FieldTexts& fields, std::string_view decimalPoint) {
    ClickDisplay out;
    const PatternInputs in = ReadPatternInputs(fields);
    const CheckOutcome check = CheckPatternInputs(in);
    if (!check.passed) {
        out.outcome = ClickOutcome::CheckFailed;
        out.focus = check.focus;
        return out;
    }

    const AnalysisResult r = Analyze(in);
    out.direction = r.direction;
    out.outcome = r.found ? ClickOutcome::Result : ClickOutcome::NoPattern;
    if (r.direction == PatternDirection::None) {
        return out;
    }
    PanelTexts& t = out.texts;
    const auto general = [decimalPoint](double x) { return FormatGeneral(x, decimalPoint); };

    t.priceA = r.aText;
    t.priceB = r.bText;
    t.priceC = r.cText;

    const CandleCountTexts counts = DescribeCandleCounts(r.time);
    t.abCandles = counts.abLabel;
    t.bcCandles = counts.bcLabel;
    t.cdCandles = t.timeRatio = t.cdDuration = counts.missedText;

    const double ratio3 = std::fabs(RoundHalfEven(r.legs.bcRatio, 3));
    t.legAB = general(r.legs.abPips);
    t.legBC = general(r.legs.bcPips);
    t.ratio = general(ratio3);
    if (!r.found) {
        return out;
    }

    t.retracement = FormatStr(r.match.retracement) + "(" + FormatStr(ratio3) + ")";
    t.extension = "Should be:" + FormatStr(r.match.extension);
    if (const auto time = ProjectCandles(r.time, decimalPoint)) {
        t.timeRatio = time->timeRatio;
        t.cdCandles = time->cdCandles;
        t.cdDuration = time->cdDuration;
        out.cdCandles = r.time.cdCandles;
    }
    const PriceProjection& p = r.prices;
    PrzTexts prz = OrderPrzTexts(p.abcdTarget, p.bcTarget, r.match.extension);
    t.przUpper = std::move(prz.upper);
    t.przLower = std::move(prz.lower);
    out.priceD = p.priceD;
    t.stopLoss = general(p.stopLoss);
    t.takeProfit1 = general(p.takeProfit1);
    t.takeProfit2 = general(p.takeProfit2);
    out.pair = {r.match.retracement, r.match.extension};
    return out;
}

std::string SpokenResult(const ClickDisplay& click, std::string_view decimalPoint) {
    const PanelTexts& t = click.texts;
    const auto general = [decimalPoint](double x) { return FormatGeneral(x, decimalPoint); };
    return std::string(click.direction == PatternDirection::Bullish ? "BUY" : "SELL") +
           " at Point D " + general(click.priceD) + ", ratios " + general(click.pair.retracement) +
           " and " + general(click.pair.extension) + ", stop loss " + t.stopLoss.value_or("") +
           ", TP1 " + t.takeProfit1.value_or("") + ", TP2 " + t.takeProfit2.value_or("") +
           (click.cdCandles ? ", CD " + general(*click.cdCandles) +
                                  (*click.cdCandles == 1 ? " candle" : " candles")
                            : "");
}

}  // namespace plovatrix
