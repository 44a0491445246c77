// RoundHalfEven against a decimal reference worked out here with digit
// strings, and the two number forms of any double and of its rounding.
//
// Input: 8 bytes of a double, one byte of places (0-255), and optionally one
// byte choosing the decimal point of FormatGeneral and one choosing how the
// first 8 bytes make x.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "checks.h"
#include "numbers.h"

using fuzzcheck::Fail;

namespace {

std::string Describe(double x, int places) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "%.17g at %d places", x, places);
    return buf;
}

// x as shown to 15 significant digits, by printf.
std::string Shown15(double x) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.14e", x);
    return buf;
}

// Adds one to a string of decimal digits; true when it carries out of the front.
bool Increment(std::string& digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

// The double nearest to x shown to 15 significant digits, rounded half-even
// to `places` decimals, worked on the decimal digits alone.
double ReferenceRound(double x, int places) {
    const std::string shown = Shown15(x);  // [-]d.dddddddddddddde[+-]XX
    const bool negative = shown[0] == '-';
    const std::string_view body = std::string_view(shown).substr(negative ? 1 : 0);
    std::string digits;
    digits += body[0];
    digits += body.substr(2, 14);
    const int exponent = std::atoi(std::string(body.substr(body.find('e') + 1)).c_str());

    // Fixed point: integer digits and fraction digits of the shown value.
    std::string whole, fraction;
    if (exponent >= 0) {
        const size_t wholeDigits = size_t(exponent) + 1;
        whole = digits.substr(0, std::min(wholeDigits, digits.size()));
        whole.append(wholeDigits > digits.size() ? wholeDigits - digits.size() : 0, '0');
        fraction = wholeDigits < digits.size() ? digits.substr(wholeDigits) : "";
    } else {
        whole = "0";
        fraction = std::string(size_t(-exponent - 1), '0') + digits;
    }

    std::string kept = fraction.substr(0, std::min(fraction.size(), size_t(places)));
    kept.append(size_t(places) - kept.size(), '0');
    const std::string dropped =
        fraction.size() > size_t(places) ? fraction.substr(size_t(places)) : "";

    bool up = false;
    if (!dropped.empty()) {
        const char first = dropped[0];
        const bool restNonZero = dropped.find_first_not_of('0', 1) != std::string::npos;
        const char lastKept = kept.empty() ? whole.back() : kept.back();
        const bool lastOdd = (lastKept - '0') % 2 == 1;
        up = first > '5' || (first == '5' && (restNonZero || lastOdd));
    }
    std::string number = whole + kept;
    if (up && Increment(number)) {
        number.insert(number.begin(), '1');
    }
    const std::string text = number.substr(0, number.size() - kept.size()) + "." +
                             number.substr(number.size() - kept.size());
    double value = fuzzcheck::ReadDecimal(text);
    // Beyond the largest double (DBL_MAX shows as 1.79769313486232e+308) the
    // largest double is still the nearest one.
    value = std::isinf(value) ? std::numeric_limits<double>::max() : value;
    return value == 0 ? 0.0 : (negative ? -value : value);
}

// What both forms must be for any double: finite ones faithful to 15
// significant digits, the others "Out of range".
void CheckForms(double x, const char* point) {
    const std::string str = plovatrix::FormatStr(x);
    const std::string general = plovatrix::FormatGeneral(x, point);
    if (!std::isfinite(x)) {
        if (str != "Out of range" || general != "Out of range") {
            Fail("a value that is not finite is not \"Out of range\"", str + " / " + general);
        }
        return;
    }
    fuzzcheck::CheckShownText(str);
    fuzzcheck::CheckShownText(general, point);

    // Shapes: FormatStr has a blank or '-' and no 0 before the point;
    // FormatGeneral has no blank and a 0 before the point.
    const bool negative = x < 0;
    if (str.empty() || str[0] != (negative ? '-' : ' ')) {
        Fail("FormatStr sign place", str);
    }
    if (str.compare(1, 2, "0.") == 0) {
        Fail("FormatStr has a 0 before the point", str);
    }
    if (general.empty() || general[0] == ' ' || (general[0] == '-') != negative) {
        Fail("FormatGeneral sign place", general);
    }
    if (general.find('.') != std::string::npos && std::strcmp(point, ".") != 0) {
        Fail("FormatGeneral kept '.' with another decimal point", general);
    }
    const size_t digitsAt = negative ? 1 : 0;
    if (general.compare(digitsAt, std::strlen(point), point) == 0) {
        Fail("FormatGeneral has no 0 before the point", general);
    }

    // Read back, both show x to 15 significant digits exactly.
    std::string plainGeneral = general;
    if (const size_t at = plainGeneral.find(point); at != std::string::npos) {
        plainGeneral.replace(at, std::strlen(point), ".");
    }
    const double expected = fuzzcheck::ReadDecimal(Shown15(x));
    if (fuzzcheck::ReadDecimal(str) != expected) {
        Fail("FormatStr does not read back as x to 15 digits", str + " for " + Shown15(x));
    }
    if (fuzzcheck::ReadDecimal(plainGeneral) != expected) {
        Fail("FormatGeneral does not read back as x to 15 digits", general + " for " + Shown15(x));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9) {
        return 0;
    }
    double x = 0;
    std::memcpy(&x, data, sizeof x);
    int places = data[8];
    static const char* const points[] = {".", ",", "\xD9\xAB"};  // the last: Arabic
    const char* point = points[size > 9 ? data[9] % 3 : 0];

    // Raw doubles seldom land where prices and ratios live; two more shapes
    // make the values the analysis really rounds: a quotient of whole
    // numbers (legs in points, ratios) and a typed decimal (2.675, 1.1618).
    const int shape = size > 10 ? data[10] % 3 : 0;
    if (shape != 0) {
        std::int32_t a = 0, b = 0;
        std::memcpy(&a, data, sizeof a);
        std::memcpy(&b, data + 4, sizeof b);
        places %= 12;
        if (shape == 1) {
            if (b == 0) {
                return 0;
            }
            x = double(a) / double(b);
        } else {
            x = double(a) / std::pow(10.0, double(std::uint32_t(b) % 12));
        }
    }

    const double rounded = plovatrix::RoundHalfEven(x, places);
    if (!std::isfinite(x)) {
        if (std::isnan(x) != std::isnan(rounded) || (std::isinf(x) && rounded != x)) {
            Fail("RoundHalfEven changed a value that is not finite", Describe(x, places));
        }
    } else {
        if (!std::isfinite(rounded)) {
            Fail("RoundHalfEven of a finite value is not finite", Describe(x, places));
        }
        if (rounded == 0 && std::signbit(rounded)) {
            Fail("RoundHalfEven gave -0", Describe(x, places));
        }
        const double reference = ReferenceRound(x, places);
        if (rounded != reference) {
            Fail("RoundHalfEven differs from the decimal reference",
                 Describe(x, places) + ": " + Describe(rounded, places) + " not " +
                     Describe(reference, places));
        }
    }
    CheckForms(x, point);
    CheckForms(rounded, point);
    return 0;
}
