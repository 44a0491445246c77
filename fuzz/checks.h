// Checks the fuzz targets share: what no text the program shows may hold, and
// an independent reading of decimal texts.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzzcheck {

// Stops the run with the offending text; libFuzzer saves the input.
[[noreturn]] inline void Fail(const char* what, std::string_view detail) {
    std::fprintf(stderr, "invariant broken: %s: [%.*s]\n", what, int(detail.size()), detail.data());
    std::abort();
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "nan" or "inf" in any case, anywhere in the text.
inline bool HoldsNanOrInf(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

// The most significant digits of any one number in the text: a number is a
// run of digits and decimal points; its leading zeros do not count.
inline int MostSignificantDigits(std::string_view text, std::string_view decimalPoint = ".") {
    std::string plain(text);
    if (!decimalPoint.empty() && decimalPoint != ".") {
        for (size_t at = plain.find(decimalPoint); at != std::string::npos;
             at = plain.find(decimalPoint, at + 1)) {
            plain.replace(at, decimalPoint.size(), ".");
        }
    }
    int most = 0;
    int count = 0;
    bool started = false;
    for (char c : plain) {
        if (IsDigit(c)) {
            started = started || c != '0';
            count += started ? 1 : 0;
        } else if (c != '.') {
            count = 0;
            started = false;
        }
        most = count > most ? count : most;
    }
    return most;
}

// The most digits after a decimal point ('.' or the locale's) of any one number.
inline int MostDecimals(std::string text, std::string_view decimalPoint = ".") {
    for (size_t at = text.find(decimalPoint); !decimalPoint.empty() && at != std::string::npos;
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

inline void CheckShownText(std::string_view text, std::string_view decimalPoint = ".") {
    if (HoldsNanOrInf(text)) {
        Fail("text shows nan or inf", text);
    }
    if (MostSignificantDigits(text, decimalPoint) > 15) {
        Fail("text shows more than 15 significant digits", text);
    }
}

// A decimal text read by the C library (correctly rounded, "C" locale).
inline double ReadDecimal(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace fuzzcheck
