// One Analyze click on any field texts of up to six characters: both readings
// of each text agree with the C library's, nothing shown holds nan, inf or
// binary noise, and the outcome and the matched row fit the texts.
//
// Input: the seven texts A, B, C, tolerance, point size, A-B candles, B-C
// candles separated by '\n'; an eighth piece's length picks the decimal point.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "display.h"
#include "numbers.h"
#include "reference.h"

using namespace plovatrix;

namespace {

// Stops the run on a broken invariant; libFuzzer keeps the input.
void Check(bool holds, const char* what, const std::string& detail) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s: %s\n", what, detail.c_str());
        std::abort();
    }
}

// The reference reading: blanks skipped, the sign-digits-one-point prefix
// read by strtod (which alone would also take exponents and hex).
void CheckConversions(const std::string& text) {
    static const std::regex number("^[ \t]*([+-]?[0-9]*\\.?[0-9]*)[ \t]*");
    std::smatch m;
    std::regex_search(text, m, number);
    const bool digits = m[1].str().find_first_of("0123456789") != std::string::npos;
    const double value = digits ? std::strtod(m[1].str().c_str(), nullptr) + 0.0 : 0.0;
    const double leading = LeadingNumber(text);
    Check(leading == value && std::signbit(leading) == std::signbit(value), "LeadingNumber", text);
    const bool whole = digits && m.suffix().length() == 0 && std::isfinite(value);
    Check(WholeNumber(text).has_value() == whole && (!whole || *WholeNumber(text) == leading),
          "WholeNumber takes exactly the finite whole numbers", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> f(1);
    std::string all;  // the texts as given, for the report
    for (std::size_t i = 0; i < size && f.size() <= 8; ++i) {
        if (data[i] == '\n') {
            f.emplace_back();
        } else {
            f.back() += char(data[i]);
        }
        all += char(data[i]);
    }
    static const char* const points[] = {".", ",", "\xD9\xAB"};  // the last: Arabic
    const char* point = f.size() > 7 ? points[f[7].size() % 3] : ".";
    f.resize(7);
    for (std::string& text : f) {
        CheckConversions(text);
        text.resize(std::min<size_t>(text.size(), 6));  // the boxes' length
    }
    const ClickDisplay click = ComposeClick(reference::Fields(f), point);
    bool written = false;
    for (const auto& [name, text] : PanelTextList) {
        if (const auto& t = click.texts.*text) {
            written = true;
            Check(reference::Clean(*t), "a label shows nan, inf or noise", *t);
            // Six-character texts need at most five decimals (".00001"); more is noise.
            Check(reference::MostDecimals(*t, point) <= 5, "too many decimals", *t);
        }
    }
    if (click.outcome == ClickOutcome::CheckFailed) {
        Check(!written && click.direction == PatternDirection::None, "a failed check writes labels",
              all);
        return 0;
    }
    // Past the checks: prices and point size positive, the rest 0 or more.
    for (int i = 0; i < 7; ++i) {
        const auto v = WholeNumber(f[size_t(i)]);
        Check(v && *v >= 0 && (*v > 0 || i == 3 || i > 4), "the checks let a bad text through",
              all);
    }
    // The direction is B against A, by value; A = B writes nothing.
    const double a = LeadingNumber(f[0]), b = LeadingNumber(f[1]);
    Check(click.direction == (b < a   ? PatternDirection::Bullish
                              : b > a ? PatternDirection::Bearish
                                      : PatternDirection::None),
          "wrong direction", all);
    Check(a != b || (click.outcome == ClickOutcome::NoPattern && !written), "A = B writes", all);
    // The row that matched, or none, as whole numbers work it out from the texts.
    using reference::Exactly;
    const int row = reference::MatchedRow(Exactly(f[0]), Exactly(f[1]), Exactly(f[2]),
                                          Exactly(f[3]), Exactly(f[4]));
    const bool same = row == 0
                          ? click.outcome == ClickOutcome::NoPattern
                          : click.outcome == ClickOutcome::Result &&
                                click.pair.retracement == FibTable[size_t(row - 1)].retracement;
    Check(a == b || same, "the matched row differs from the exact decimals'", all);
    Check(click.outcome != ClickOutcome::Result || std::isfinite(click.priceD), "D not finite",
          all);
    return 0;
}
