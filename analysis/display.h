// What one click on Analyze shows: the pure step from the field texts to the
// texts, panel and focus that the window applies.
#pragma once

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "pattern.h"

namespace plovatrix {

enum class ClickOutcome {
    CheckFailed,  // the focus moves to `focus`; nothing else changes
    NoPattern,    // "No Certain Pattern Found"; the texts below were written first
    Result,       // a ratio pair matched
};

// Every text one click writes into the panel of its direction, one per result
// label; a label the click leaves alone has none.
struct PanelTexts {
    std::optional<std::string> priceA, priceB, priceC;
    std::optional<std::string> abCandles, bcCandles;  // a count as typed, or "NOT GIVEN"
    std::optional<std::string> cdCandles;             // "Should be: 10", or "Missed"
    std::optional<std::string> timeRatio;
    std::optional<std::string> cdDuration;  // "Should be: 10 Candle(s)", or "Missed"
    std::optional<std::string> legAB, legBC, ratio;
    std::optional<std::string> retracement;  // " .618( .618)"
    std::optional<std::string> extension;    // "Should be: 1.618"
    std::optional<std::string> przUpper, przLower;
    std::optional<std::string> stopLoss, takeProfit1, takeProfit2;
};

// Each text of PanelTexts by name, in its order: the one list the window pairs
// with its labels and the tests read by.
struct NamedText {
    std::string_view name;
    std::optional<std::string> PanelTexts::*text;
};
// clang-format off
inline constexpr NamedText PanelTextList[] = {
    {"priceA", &PanelTexts::priceA}, {"priceB", &PanelTexts::priceB},
    {"priceC", &PanelTexts::priceC}, {"abCandles", &PanelTexts::abCandles},
    {"bcCandles", &PanelTexts::bcCandles}, {"cdCandles", &PanelTexts::cdCandles},
    {"timeRatio", &PanelTexts::timeRatio}, {"cdDuration", &PanelTexts::cdDuration},
    {"legAB", &PanelTexts::legAB}, {"legBC", &PanelTexts::legBC}, {"ratio", &PanelTexts::ratio},
    {"retracement", &PanelTexts::retracement}, {"extension", &PanelTexts::extension},
    {"przUpper", &PanelTexts::przUpper}, {"przLower", &PanelTexts::przLower},
    {"stopLoss", &PanelTexts::stopLoss}, {"takeProfit1", &PanelTexts::takeProfit1},
    {"takeProfit2", &PanelTexts::takeProfit2}};
// clang-format on
// A text added to PanelTexts does not compile until it is listed.
static_assert(sizeof(PanelTexts) == std::size(PanelTextList) * sizeof(std::optional<std::string>));

struct ClickDisplay {
    ClickOutcome outcome = ClickOutcome::CheckFailed;
    InputField focus = InputField::A;                     // CheckFailed only
    PatternDirection direction = PatternDirection::None;  // whose panel shows the texts
    PanelTexts texts;
    double priceD = 0;  // Result only
    FibPair pair{};     // Result only: the matched ratio pair
    // Result with both counts given: the candles CD should take.
    std::optional<double> cdCandles;
};

// The whole click after the spinner reset: checks, direction, every text.
// decimalPoint is the user's locale's, for the numbers that stand alone.
ClickDisplay ComposeClick(const FieldTexts& fields, std::string_view decimalPoint = ".");

// What a screen reader says of a Result: the signal at D, the pair, the
// three levels and the candles CD should take, each number as the panel shows it.
std::string SpokenResult(const ClickDisplay& click, std::string_view decimalPoint = ".");

}  // namespace plovatrix
