// The two text-to-number conversions on any text: a text that is a number as
// a whole reads the same by both, and both read what the C library reads.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "checks.h"
#include "numbers.h"

using fuzzcheck::Fail;

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Length of the sign-digits-and-one-point prefix of `text`; digits tells
// whether it holds any digit.
size_t NumberPrefix(std::string_view text, bool& digits) {
    size_t i = 0;
    digits = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    bool point = false;
    for (; i < text.size(); ++i) {
        if (fuzzcheck::IsDigit(text[i])) {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    return i;
}

bool SameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // The reference: the blanks skipped, the number that starts the text as
    // strtod reads it (strtod would also take exponents and hex, so it only
    // gets the prefix).
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) {
        ++first;
    }
    bool digits = false;
    const size_t length = NumberPrefix(text.substr(first), digits);
    const double leadingRef =
        digits ? fuzzcheck::ReadDecimal(std::string(text.substr(first, length))) + 0.0 : 0.0;

    const double leading = plovatrix::LeadingNumber(text);
    if (std::isnan(leading)) {
        Fail("LeadingNumber gave nan", text);
    }
    if (!SameValue(leading, leadingRef) || std::signbit(leading) != std::signbit(leadingRef)) {
        Fail("LeadingNumber differs from strtod on the leading number", text);
    }

    size_t last = text.size();
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    const bool wholeIsNumber = digits && first + length == last;
    const auto whole = plovatrix::WholeNumber(text);
    if (whole.has_value() != (wholeIsNumber && std::isfinite(leadingRef))) {
        Fail(whole ? "WholeNumber took a text that is no finite number"
                   : "WholeNumber refused a number",
             text);
    }
    if (whole && !SameValue(*whole, leading)) {
        Fail("WholeNumber and LeadingNumber read different values", text);
    }
    return 0;
}
