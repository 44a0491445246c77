// Number reading, rounding and the two number-to-text forms shared by every
// text the analysis writes. Locale-free: built on std::from_chars/to_chars.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plovatrix {

// Leading-number conversion: skips leading blanks, reads an optional sign and
// digits with at most one '.', ignores the rest. No number at the start gives 0.
// Every value that enters a computation is read this way.
double LeadingNumber(std::string_view text);

// Whole-text conversion: the text, less surrounding blanks, must be exactly an
// optional sign and digits with at most one '.' (at least one digit). Its value
// is then the leading-number value, so both conversions always agree.
// Locale forms ("1,2", "1 000") are refused on purpose: the computation would
// read them as 1.
std::optional<double> WholeNumber(std::string_view text);

// The one rule for a price, a count or a tolerance as typed: a whole number
// above 0, or at 0 or above where zero is allowed. Both the fields and
// Analyze judge a text by it.
bool AcceptableNumber(std::string_view text, bool zeroAllowed);

// x to 15 significant digits as an exact decimal: digits x 10^exponent with no
// trailing zero in the digits. 1.0613000000000001 is 10613 x 10^-4: the decimal
// that a short decimal, or a sum or product of a few, stands for once its binary
// noise is gone. RoundHalfEven judges a tie on this same value. 0 for 0 and for
// a value that is not finite.
struct Decimal {
    std::int64_t digits = 0;
    int exponent = 0;
};
Decimal Decimal15(double x);

// Rounds to `places` decimals, a tie going to the even digit. Whether x is a
// tie is judged on Decimal15(x), so 2.675 (stored as 2.67499999...) is a tie
// and gives 2.68. Never returns -0.
double RoundHalfEven(double x, int places);

// Number forms. Both print at most 15 significant digits without trailing
// zeros. Below 1e-4 or from 1e15 up they switch to C's %g exponent shape
// ("1e-05", "1.5e+15"). A value that is not finite prints as "Out of range".
//
// FormatStr: a blank before a number >= 0, '-' before a negative one, no 0
// before the decimal point: " 1.618", " .5", "-.5", " 2". Always '.'.
std::string FormatStr(double x);
// FormatGeneral: no leading blank, a 0 before the point ("0.417"), the
// decimal point given by the caller (the user's locale).
std::string FormatGeneral(double x, std::string_view decimalPoint = ".");

}  // namespace plovatrix
