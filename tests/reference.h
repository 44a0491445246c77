// Independent references the tests hold the program to: rounding worked on
// decimal digit strings, the band test in whole numbers, and what no number
// shown to the user may look like.
#pragma once

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "display.h"

namespace reference {

// x as printf shows it to 15 significant digits, rounded half to even at
// `places` decimals by string arithmetic, read back by strtod.
inline double RoundHalfEven(double x, int places) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.14e", x);
    const bool negative = buf[0] == '-';
    const char* body = buf + (negative ? 1 : 0);
    std::string digits = std::string(1, body[0]) + std::string(body + 2, 14);
    // The point goes after `point` digits; pad so that the digit after the
    // last one kept exists.
    int point = std::atoi(std::strchr(body, 'e') + 1) + 1;
    if (point < 1) {
        digits.insert(0, size_t(1 - point), '0');
        point = 1;
    }
    const size_t cut = size_t(point + places);
    digits.resize(std::max(digits.size(), cut + 1), '0');
    std::string kept = digits.substr(0, cut);
    const bool rest = digits.find_first_not_of('0', cut + 1) != std::string::npos;
    if (digits[cut] > '5' || (digits[cut] == '5' && (rest || (kept.back() - '0') % 2 == 1))) {
        size_t i = kept.size();
        while (i > 0 && kept[i - 1] == '9') {
            kept[--i] = '0';
        }
        if (i == 0) {
            kept.insert(0, 1, '1');
            ++point;
        } else {
            ++kept[i - 1];
        }
    }
    const std::string text = kept.substr(0, size_t(point)) + "." + kept.substr(size_t(point));
    double value = std::strtod(text.c_str(), nullptr);
    // DBL_MAX shows as 1.79769313486232e+308, beyond it; it is still the nearest.
    value = std::isinf(value) ? std::numeric_limits<double>::max() : value;
    return value == 0 ? 0.0 : (negative ? -value : value);
}

inline long long Pow10(int n) {
    return n == 0 ? 1 : 10 * Pow10(n - 1);
}

// A text the checks let through (blanks, a sign, digits, one point) as exactly
// digits x 10^-decimals; a sign can only be that of a zero.
struct Exact {
    long long digits = 0;
    int decimals = 0;
    long long Times10To(int n) const { return digits * Pow10(n - decimals); }
};
inline Exact Exactly(const std::string& text) {
    Exact e;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            e.digits = e.digits * 10 + (text[i] - '0');
            e.decimals += text.find('.') < i ? 1 : 0;
        }
    }
    return e;
}

// The first row of the ratio table whose band holds C (1 to 5), or 0, in whole
// numbers for prices of six characters (at most 5 decimals): |C - B - r(A - B)|
// x 10^8 against tolerance x point size at their decimals, without overflow.
inline int MatchedRow(Exact a, Exact b, Exact c, Exact tolerance, Exact pointSize) {
    const int decimals = tolerance.decimals + pointSize.decimals;
    const long long half = tolerance.digits * pointSize.digits,
                    scale = Pow10(std::abs(decimals - 8));
    for (int row = 0; row < 5; ++row) {
        const long long r = std::llround(plovatrix::FibTable[size_t(row)].retracement * 1000);
        const long long off = std::llabs(c.Times10To(8) - b.Times10To(5) * 1000 -
                                         r * (a.Times10To(5) - b.Times10To(5)));
        if (decimals >= 8 ? off <= half / scale : (off + scale - 1) / scale <= half) {
            return row + 1;
        }
    }
    return 0;
}

// A shown text holds no nan or inf and no number of more than 15 significant
// digits (binary noise); a number runs on through '.', ',' and the Arabic point.
inline bool Clean(const std::string& text) {
    std::string lower = text;
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos) {
        return false;
    }
    int digits = 0;  // significant digits of the number running through here
    for (char c : text) {
        if ((c >= '1' && c <= '9') || (c == '0' && digits > 0)) {
            if (++digits > 15) {
                return false;
            }
        } else if (c != '0' && c != '.' && c != ',' && !(c & 0x80)) {
            digits = 0;
        }
    }
    return true;
}

// The most digits after a decimal point ('.' or the locale's) of any one number.
inline int MostDecimals(std::string text, const std::string& decimalPoint) {
    for (size_t at = text.find(decimalPoint); at != std::string::npos;
         at = text.find(decimalPoint, at + 1)) {
        text.replace(at, decimalPoint.size(), ".");
    }
    int most = 0;
    for (size_t at = text.find('.'); at != std::string::npos; at = text.find('.', at + 1)) {
        const size_t end = std::min(text.find_first_not_of("0123456789", at + 1), text.size());
        most = std::max(most, int(end - at - 1));
    }
    return most;
}

// The field texts from the seven in the window's order: A, B, C, tolerance,
// point size, candles A-B and B-C.
template <typename Seven>
plovatrix::FieldTexts Fields(const Seven& f) {
    return {.a = f[0],
            .b = f[1],
            .c = f[2],
            .tolerance = f[3],
            .pointSize = f[4],
            .abCandles = f[5],
            .bcCandles = f[6]};
}

}  // namespace reference
