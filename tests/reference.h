// Independent references the tests hold the program to: rounding worked on
// decimal digit strings, and what no number shown to the user may look like.
#pragma once

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

// A shown text holds no nan or inf and no number of more than 15 significant
// digits (binary noise); a number runs on through '.', ',' and the Arabic point.
inline bool Clean(const std::string& text) {
    if (strcasestr(text.c_str(), "nan") || strcasestr(text.c_str(), "inf")) {
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
