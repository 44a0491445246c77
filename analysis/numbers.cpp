#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

namespace plovatrix {
namespace {

constexpr std::string_view Blanks = " \t";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The sign and the digits-with-one-point that start `text`; its length is 0
// when no digit is there.
struct NumberPrefix {
    bool negative = false;
    std::string_view body;  // digits and at most one '.'
    size_t end = 0;         // index just past the number in the text
    bool hasDigit = false;
};

NumberPrefix ScanNumber(std::string_view text, size_t pos) {
    NumberPrefix n;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        n.negative = text[pos] == '-';
        ++pos;
    }
    const size_t start = pos;
    bool point = false;
    while (pos < text.size()) {
        const char c = text[pos];
        if (IsDigit(c)) {
            n.hasDigit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        ++pos;
    }
    n.body = text.substr(start, pos - start);
    n.end = pos;
    return n;
}

double ValueOf(const NumberPrefix& n) {
    if (!n.hasDigit) {
        return 0;
    }
    double value = 0;
    const char* const end = n.body.data() + n.body.size();
    if (std::from_chars(n.body.data(), end, value, std::chars_format::fixed).ec ==
        std::errc::result_out_of_range) {
        // Like strtod: a magnitude too large is infinite, one too small is 0.
        // Only texts far longer than a field's six characters get here.
        const bool huge = n.body.find_first_of("123456789") < n.body.find('.');
        value = huge ? HUGE_VAL : 0.0;
    }
    return n.negative ? -value : value;
}

constexpr double Pow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// Most values lie far from a tie. Scaled by 10^places below 1e9, x's 15-digit
// form and the scaling together move it by less than 1e-5 of the last place,
// so away from a tie rounding the scaled double decides as the decimal would;
// and k / 10^places is the nearest double to that decimal, as reading it is.
std::optional<double> RoundAwayFromTie(double x, int places) {
    if (places >= int(std::size(Pow10))) {
        return std::nullopt;
    }
    const double y = std::fabs(x) * Pow10[places];
    if (!(y < 1e9)) {
        return std::nullopt;
    }
    const double whole = std::floor(y);
    const double fraction = y - whole;
    if (std::fabs(fraction - 0.5) < 1e-4) {
        return std::nullopt;
    }
    const double kept = fraction > 0.5 ? whole + 1 : whole;
    if (kept == 0) {
        return 0.0;
    }
    const double value = kept / Pow10[places];
    return x < 0 ? -value : value;
}

// digits x 10^exponent as the nearest double, read back from text so that it is
// the nearest. Near the largest double the value lies beyond it: that largest is.
double NearestDouble(std::int64_t digits, int exponent) {
    char buf[32];
    char* end = std::to_chars(buf, buf + 24, digits).ptr;  // at most 20 characters
    *end++ = 'e';
    end = std::to_chars(end, buf + sizeof buf, exponent).ptr;
    double value = 0;
    const bool fits = std::from_chars(buf, end, value).ec == std::errc();
    return fits ? value : std::copysign(std::numeric_limits<double>::max(), double(digits));
}

// Most numbers the panels show are short decimals (prices, legs, ratios and targets
// rounded to a few places). When x is the double nearest to k / 10^p with k
// below 10^15, that decimal is exactly x rounded to 15 digits (it lies within
// half a binary step of x), so it is written from k's digits, cheaply.
std::optional<std::string> ShortDecimal(double x) {
    for (int places = 0; places < int(std::size(Pow10)); ++places) {
        const double k = std::round(x * Pow10[places]);
        if (!(std::fabs(k) < 1e15)) {
            return std::nullopt;
        }
        if (k / Pow10[places] != x) {
            continue;
        }
        // Tried from 0 places up, k ends in no 0 unless it is whole.
        char buf[24];
        const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(std::fabs(k)));
        const std::string_view digits(buf, size_t(res.ptr - buf));
        std::string text = x < 0 ? "-" : "";
        if (places == 0) {
            text += digits;
        } else if (digits.size() <= size_t(places)) {
            text += "0.";
            text.append(size_t(places) - digits.size(), '0');
            text += digits;
        } else {
            const size_t point = digits.size() - size_t(places);
            text += digits.substr(0, point);
            text += '.';
            text += digits.substr(point);
        }
        return text;
    }
    return std::nullopt;
}

// %.15g through to_chars: at most 15 significant digits, trailing zeros
// dropped, exponent form below 1e-4 and from 1e15 up ("1e-05", "1e+15").
std::string General15(double x) {
    x += 0.0;  // no "-0"
    const double magnitude = std::fabs(x);
    if (magnitude >= 1e-4 && magnitude < 1e15) {
        if (auto text = ShortDecimal(x)) {
            return std::move(*text);
        }
    }
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    return std::string(buf, res.ptr);
}

const char* const OutOfRange = "Out of range";

}  // namespace

double LeadingNumber(std::string_view text) {
    const size_t start = std::min(text.find_first_not_of(Blanks), text.size());
    return ValueOf(ScanNumber(text, start)) + 0.0;  // + 0.0 turns -0 into 0
}

std::optional<double> WholeNumber(std::string_view text) {
    const size_t first = text.find_first_not_of(Blanks);
    const std::string_view trimmed =
        first == text.npos ? std::string_view()
                           : text.substr(first, text.find_last_not_of(Blanks) + 1 - first);
    const NumberPrefix n = ScanNumber(trimmed, 0);
    if (!n.hasDigit || n.end != trimmed.size()) {
        return std::nullopt;
    }
    // The same reading as LeadingNumber's, so the two always agree.
    const double value = ValueOf(n) + 0.0;
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool AcceptableNumber(std::string_view text, bool zeroAllowed) {
    const auto v = WholeNumber(text);
    return v && (zeroAllowed ? *v >= 0 : *v > 0);
}

Decimal Decimal15(double x) {
    if (!std::isfinite(x) || x == 0) {
        return {};
    }
    // d.dddddddddddddde[+-]XX: the one place that decides which decimal a double
    // stands for.
    char buf[40];
    const char* const end =
        std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14).ptr;
    Decimal d;
    const char* c = buf;
    for (; *c != 'e'; ++c) {
        if (*c != '.') {
            d.digits = d.digits * 10 + (*c - '0');
        }
    }
    std::from_chars(c + (c[1] == '+' ? 2 : 1), end, d.exponent);
    d.exponent -= 14;
    while (d.digits % 10 == 0) {
        d.digits /= 10;
        ++d.exponent;
    }
    d.digits = x < 0 ? -d.digits : d.digits;
    return d;
}

double RoundHalfEven(double x, int places) {
    if (!std::isfinite(x) || x == 0) {
        return x + 0.0;
    }
    places = places < 0 ? 0 : (places > 300 ? 300 : places);
    if (const auto quick = RoundAwayFromTie(x, places)) {
        return *quick;
    }
    const Decimal d = Decimal15(x);
    // The last `dropped` digits lie below 10^-places.
    const int dropped = -places - d.exponent;
    if (dropped <= 0) {
        return NearestDouble(d.digits, d.exponent);
    }
    if (dropped > 15) {  // all 15 digits below half of the last place kept
        return 0.0;
    }
    std::int64_t weight = 1;
    for (int i = 0; i < dropped; ++i) {
        weight *= 10;
    }
    std::int64_t kept = std::abs(d.digits) / weight;
    const std::int64_t rest = std::abs(d.digits) % weight;
    if (rest > weight / 2 || (rest == weight / 2 && kept % 2 == 1)) {
        ++kept;
    }
    return kept == 0 ? 0.0 : NearestDouble(x < 0 ? -kept : kept, -places);
}

std::string FormatStr(double x) {
    if (!std::isfinite(x)) {
        return OutOfRange;
    }
    std::string text = General15(x);
    const bool negative = text.front() == '-';
    const size_t digits = negative ? 1 : 0;
    if (text.compare(digits, 2, "0.") == 0) {
        text.erase(digits, 1);
    }
    return negative ? text : " " + text;
}

std::string FormatGeneral(double x, std::string_view decimalPoint) {
    if (!std::isfinite(x)) {
        return OutOfRange;
    }
    std::string text = General15(x);
    // The locale's point may be more than one byte in UTF-8 (Arabic, Persian).
    if (const size_t point = text.find('.'); point != std::string::npos) {
        text.replace(point, 1, decimalPoint);
    }
    return text;
}

}  // namespace plovatrix
