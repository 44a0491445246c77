#include "display.h"

#include <cmath>

#include "numbers.h"

namespace plovatrix {
namespace {

// The result labels of one panel: the bearish twin of each bullish label.
struct PanelNames {
    const char* panel;
    const char* otherPanel;
    const char* noMatch;
    const char *a, *b, *c;
    const char *can1, *can2, *can3, *tfib, *t2;
    const char *legab, *legbc, *zarib;
    const char *fib1, *fib2;
    const char *abcd, *ofbc;
    const char *sl, *tp1, *tp2;
};

constexpr PanelNames Bullish{"pic1",     "pic2",     "noma1",   "lbla",    "lblb",    "lblc",
                             "lblcan1",  "lblcan2",  "lblcan3", "lbltfib", "lblt2",   "legab(0)",
                             "legbc(0)", "zarib(0)", "lblfib1", "lblfib2", "lblabcd", "lblofbc",
                             "sl1",      "tp1",      "tp2"};
constexpr PanelNames Bearish{"pic2",     "pic1",     "noma2",    "lbla2",    "lblb2",    "lblc2",
                             "lblcan12", "lblcan22", "lblcan32", "lbltfib2", "lblt22",   "legab(1)",
                             "legbc(1)", "zarib(1)", "lblfib12", "lblfib22", "lblabcd2", "lblofbc2",
                             "sl2",      "tp11",     "tp22"};

}  // namespace

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
    const PanelNames& n = r.direction == PatternDirection::Bullish ? Bullish : Bearish;
    out.panel = n.panel;
    out.hiddenPanel = n.otherPanel;
    out.noMatchLabel = n.noMatch;
    out.labels.reserve(21);
    auto write = [&out](const char* control, std::string text) {
        out.labels.push_back({control, std::move(text)});
    };
    const auto general = [decimalPoint](double x) { return FormatGeneral(x, decimalPoint); };

    write(n.a, r.aText);
    write(n.b, r.bText);
    write(n.c, r.cText);

    const CandleCountTexts counts = DescribeCandleCounts(r.time);
    write(n.can1, counts.abLabel);
    write(n.can2, counts.bcLabel);
    if (counts.missedText) {
        write(n.can3, *counts.missedText);
        write(n.tfib, *counts.missedText);
        write(n.t2, *counts.missedText);
    }

    const double ratioShown = std::fabs(RoundHalfEven(r.legs.bcRatio, 3));
    write(n.legab, general(r.legs.abPips));
    write(n.legbc, general(r.legs.bcPips));
    write(n.zarib, general(ratioShown));
    if (!r.found) {
        return out;
    }

    write(n.fib1, FormatStr(r.match.retracement) + "(" + FormatStr(ratioShown) + ")");
    write(n.fib2, "Should be:" + FormatStr(r.match.extension));
    if (const auto time = ProjectCandles(r.time, decimalPoint)) {
        write(n.tfib, time->timeRatio);
        write(n.can3, time->cdCandles);
        write(n.t2, time->cdDuration);
    }
    const PrzTexts prz = OrderPrzTexts(r.abcdTarget, r.bcTarget, r.match.extension);
    write(n.abcd, prz.upper);
    write(n.ofbc, prz.lower);
    out.priceD = r.priceD;
    write(n.sl, general(r.stopLoss));
    write(n.tp1, general(r.takeProfit1));
    write(n.tp2, general(r.takeProfit2));
    return out;
}

}  // namespace plovatrix
