// One Analyze click on any field texts of up to six characters: both readings
// of each text agree with the C library's, nothing shown holds nan, inf or
// binary noise, and the outcome fits the texts.
//
// Input: the seven texts A, B, C, tolerance, point size, A-B candles, B-C
// candles separated by '\n'; an eighth piece's length picks the decimal point.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "display.h"
#include "numbers.h"
#include "reference.h"

using namespace plovatrix;

namespace {

[[noreturn]] void Fail(const char* what, const std::vector<std::string>& texts) {
    std::fprintf(stderr, "broken: %s:", what);
    for (const std::string& t : texts) {
        std::fprintf(stderr, " [%s]", t.c_str());
    }
    std::fprintf(stderr, "\n");
    std::abort();
}

// The reference reading: blanks skipped, the sign-digits-one-point prefix
// read by strtod (which alone would also take exponents and hex).
void CheckConversions(const std::string& text) {
    static const std::regex number("^[ \t]*([+-]?[0-9]*\\.?[0-9]*)([ \t]*)");
    std::smatch m;
    std::regex_search(text, m, number);
    const bool digits = m[1].str().find_first_of("0123456789") != std::string::npos;
    const double value = digits ? std::strtod(m[1].str().c_str(), nullptr) + 0.0 : 0.0;
    const double leading = LeadingNumber(text);
    if (!(leading == value) || std::signbit(leading) != std::signbit(value)) {
        Fail("LeadingNumber differs from strtod", {text});
    }
    const bool whole = digits && m.suffix().length() == 0 && std::isfinite(value);
    if (WholeNumber(text).has_value() != whole || (whole && *WholeNumber(text) != leading)) {
        Fail("WholeNumber does not take exactly the finite whole numbers", {text});
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> f;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (f.size() < 8) {
        const size_t end = input.find('\n');
        f.emplace_back(input.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        input.remove_prefix(end + 1);
    }
    static const char* const points[] = {".", ",", "\xD9\xAB"};  // the last: Arabic
    const char* point = f.size() == 8 ? points[f[7].size() % 3] : ".";
    f.resize(7);
    for (std::string& text : f) {
        CheckConversions(text);
        text.resize(std::min<size_t>(text.size(), 6));  // the boxes' length
    }
    const ClickDisplay shown = ComposeClick({f[0], f[1], f[2], f[3], f[4], f[5], f[6]}, point);
    for (const LabelWrite& write : shown.labels) {
        if (!reference::Clean(write.text)) {
            Fail("a label would show nan, inf or noise", {write.control, write.text});
        }
    }
    if (shown.outcome == ClickOutcome::CheckFailed) {
        if (!shown.labels.empty() || !shown.panel.empty()) {
            Fail("a failed check still writes labels", f);
        }
        return 0;
    }
    // Past the checks: prices and point size positive, the rest 0 or more.
    for (int i = 0; i < 7; ++i) {
        const auto v = WholeNumber(f[size_t(i)]);
        if (!v || *v < 0 || (*v == 0 && (i < 3 || i == 4))) {
            Fail("the checks let a bad text through", f);
        }
    }
    // The direction is B against A, by value; A = B writes nothing.
    const double a = LeadingNumber(f[0]), b = LeadingNumber(f[1]);
    const auto direction = b < a   ? PatternDirection::Bullish
                           : b > a ? PatternDirection::Bearish
                                   : PatternDirection::None;
    const char* panel = b < a ? "pic1" : b > a ? "pic2" : "";
    if (shown.direction != direction || shown.panel != panel ||
        (direction == PatternDirection::None &&
         (shown.outcome != ClickOutcome::NoPattern || !shown.labels.empty()))) {
        Fail("wrong direction or panel", f);
    }
    if (shown.outcome == ClickOutcome::Result && !std::isfinite(shown.priceD)) {
        Fail("a result with a D that is not finite", f);
    }
    return 0;
}
