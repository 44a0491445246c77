// The display step of one Analyze click on any field texts of up to six
// characters: nothing it shows holds nan, inf or binary noise, and its outcome
// fits the texts it was given.
//
// Input: the seven texts A, B, C, tolerance, point size, A-B candles, B-C
// candles separated by '\n', each cut to six bytes; an eighth piece's length
// picks the decimal point.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "checks.h"
#include "display.h"
#include "numbers.h"

using fuzzcheck::Fail;
using plovatrix::ClickOutcome;
using plovatrix::PatternDirection;

namespace {

constexpr size_t FieldChars = 6;

std::vector<std::string> Split(std::string_view input) {
    std::vector<std::string> pieces;
    while (pieces.size() < 8) {
        const size_t end = input.find('\n');
        pieces.emplace_back(input.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        input.remove_prefix(end + 1);
    }
    return pieces;
}

std::string Describe(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& t : texts) {
        all += "[" + t + "]";
    }
    return all;
}

const std::set<std::string> BullishLabels = {
    "lbla",    "lblb",    "lblc",     "lblcan1",  "lblcan2",  "lblcan3",
    "lbltfib", "lblt2",   "legab(0)", "legbc(0)", "zarib(0)", "lblfib1",
    "lblfib2", "lblabcd", "lblofbc",  "sl1",      "tp1",      "tp2"};
const std::set<std::string> BearishLabels = {
    "lbla2",    "lblb2",    "lblc2",    "lblcan12", "lblcan22", "lblcan32",
    "lbltfib2", "lblt22",   "legab(1)", "legbc(1)", "zarib(1)", "lblfib12",
    "lblfib22", "lblabcd2", "lblofbc2", "sl2",      "tp11",     "tp22"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> pieces =
        Split(std::string_view(reinterpret_cast<const char*>(data), size));
    static const char* const points[] = {".", ",", "\xD9\xAB"};  // the last: Arabic
    const char* point = pieces.size() == 8 ? points[pieces[7].size() % 3] : ".";
    pieces.resize(7);
    for (std::string& p : pieces) {
        p.resize(std::min(p.size(), FieldChars));
    }
    const plovatrix::FieldTexts fields{pieces[0], pieces[1], pieces[2], pieces[3],
                                       pieces[4], pieces[5], pieces[6]};

    // A text that is a number as a whole has the same value by both readings.
    for (const std::string& text : pieces) {
        const auto whole = plovatrix::WholeNumber(text);
        if (whole && *whole != plovatrix::LeadingNumber(text)) {
            Fail("the two conversions disagree", text);
        }
    }

    const plovatrix::ClickDisplay shown = plovatrix::ComposeClick(fields, point);

    // Every text is at most six characters, so no number shown needs more than
    // five decimals (".00001"); more is binary noise.
    for (const plovatrix::LabelWrite& write : shown.labels) {
        if (fuzzcheck::HoldsNanOrInf(write.text) ||
            fuzzcheck::MostSignificantDigits(write.text, point) > 15 ||
            fuzzcheck::MostDecimals(write.text, point) > 5) {
            Fail("a label would show nan, inf or noise",
                 std::string(write.control) + " = " + write.text + " from " + Describe(pieces));
        }
    }

    if (shown.outcome == ClickOutcome::CheckFailed) {
        if (!shown.labels.empty() || !shown.panel.empty()) {
            Fail("a failed check still writes labels", Describe(pieces));
        }
        return 0;
    }

    // Past the checks: the prices and point size are positive numbers, the
    // tolerance and counts numbers of 0 or more.
    const auto number = [](const std::string& t) { return plovatrix::WholeNumber(t); };
    for (int i : {0, 1, 2, 4}) {
        if (!number(pieces[size_t(i)]) || !(*number(pieces[size_t(i)]) > 0)) {
            Fail("the checks let a price or point size through that is no positive number",
                 Describe(pieces));
        }
    }
    for (int i : {3, 5, 6}) {
        if (!number(pieces[size_t(i)]) || !(*number(pieces[size_t(i)]) >= 0)) {
            Fail("the checks let a tolerance or count through that is no number of 0 or more",
                 Describe(pieces));
        }
    }

    // The direction is B against A, by value.
    const double a = plovatrix::LeadingNumber(pieces[0]);
    const double b = plovatrix::LeadingNumber(pieces[1]);
    const PatternDirection expected = b < a   ? PatternDirection::Bullish
                                      : b > a ? PatternDirection::Bearish
                                              : PatternDirection::None;
    if (shown.direction != expected) {
        Fail("wrong direction", Describe(pieces));
    }
    if (expected == PatternDirection::None) {
        if (shown.outcome != ClickOutcome::NoPattern || !shown.labels.empty() ||
            !shown.panel.empty()) {
            Fail("A equal to B must be no pattern and write nothing", Describe(pieces));
        }
        return 0;
    }
    const bool bullish = expected == PatternDirection::Bullish;
    if (shown.panel != (bullish ? "pic1" : "pic2") ||
        shown.hiddenPanel != (bullish ? "pic2" : "pic1") ||
        shown.noMatchLabel != (bullish ? "noma1" : "noma2")) {
        Fail("wrong panel for the direction", Describe(pieces));
    }
    const std::set<std::string>& own = bullish ? BullishLabels : BearishLabels;
    for (const plovatrix::LabelWrite& write : shown.labels) {
        if (!own.count(write.control)) {
            Fail("a label of the other panel is written",
                 std::string(write.control) + " " + Describe(pieces));
        }
    }
    if (shown.outcome == ClickOutcome::Result && !std::isfinite(shown.priceD)) {
        Fail("a result with a D that is not finite", Describe(pieces));
    }
    return 0;
}
