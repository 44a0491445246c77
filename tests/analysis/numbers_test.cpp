#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "numbers.h"

using plovatrix::FormatGeneral;
using plovatrix::FormatStr;
using plovatrix::LeadingNumber;
using plovatrix::RoundHalfEven;
using plovatrix::WholeNumber;

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"12abc", 12},      {"abc", 0},         {"", 0},
        {" -1.5x", -1.5},   {"1.2.3", 1.2},     {".5", 0.5},
        {"5.", 5},          {"1.2154", 1.2154}, {"+7", 7},
        {"\t 3", 3},        {"1,2", 1},         {"1e3", 1},
        {"inf", 0},         {"nan", 0},         {"0x10", 0},
        {"-", 0},           {".", 0},           {"-.", 0},
        {" - 1", 0},        {"$5", 0},          {"-0", 0},
        {"0.0001", 0.0001}, {"999999", 999999},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
    }
    EXPECT_FALSE(std::signbit(LeadingNumber("-0")));
}

TEST(WholeNumber, AcceptsOnlyPlainDecimals) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"1.2154", 1.2154}, {" 1.5 ", 1.5}, {"-1", -1},    {"+2", 2},   {".5", 0.5}, {"5.", 5},
        {"0", 0},           {"00", 0},      {"0.0", 0},    {"1,2", {}}, {"1e3", {}}, {"$5", {}},
        {"1 000", {}},      {"inf", {}},    {"nan", {}},   {"", {}},    {"   ", {}}, {".", {}},
        {"-", {}},          {"12abc", {}},  {"1.2.3", {}}, {"abc", {}}, {"0x1", {}}, {"- 1", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WholeNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(WholeNumber, AgreesWithLeadingNumberWheneverItAccepts) {
    for (const char* text : {"1.2154", " 7 ", "-0.5", ".25", "999999", "0.0001", "+3."}) {
        ASSERT_TRUE(WholeNumber(text).has_value()) << text;
        EXPECT_EQ(*WholeNumber(text), LeadingNumber(text)) << text;
    }
}

TEST(WholeNumber, RefusesMagnitudesBeyondADouble) {
    const std::string huge = "1" + std::string(400, '0');
    EXPECT_FALSE(WholeNumber(huge).has_value());
    EXPECT_EQ(*WholeNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(RoundHalfEven, TiesGoToTheEvenDigitAsShown) {
    const struct {
        double x;
        int places;
        double expected;
    } cases[] = {
        {0.0625, 3, 0.062},
        {2.5, 0, 2},
        {3.5, 0, 4},
        {-2.5, 0, -2},
        {2.675, 2, 2.68},
        {1.005, 2, 1},
        {1.1618076, 4, 1.1618},
        {1.0 / 16, 3, 0.062},
        {0.0635, 3, 0.064},
        {1.152632, 4, 1.1526},
        {1.3381924, 4, 1.3382},
        {-617.9999999999986, 4, -618},
        {1000.0000000000009, 4, 1000},
        {2.0 / 3, 3, 0.667},
        {0.4, 3, 0.4},
        {1.1613000000000002, 4, 1.1613},
        {0.00005, 4, 0},
        {0.00015, 4, 0.0002},
        {0.000051, 4, 0.0001},
        {0.0004, 2, 0},
        {123456.78125, 4, 123456.7812},
        {1e20, 2, 1e20},
        {0.1 + 0.2, 16, 0.3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.x, c.places), c.expected) << c.x << " to " << c.places;
    }
}

TEST(RoundHalfEven, NeverNegativeZeroAndLeavesNonFiniteAlone) {
    for (double x : {-0.0, -0.00001, -0.4}) {
        const double r = RoundHalfEven(x, x == -0.4 ? 0 : 2);
        EXPECT_EQ(r, 0.0);
        EXPECT_FALSE(std::signbit(r)) << x;
    }
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""), 2)));
    EXPECT_EQ(RoundHalfEven(HUGE_VAL, 2), HUGE_VAL);
}

TEST(FormatStr, BlankOrMinusAndNoLeadingZero) {
    const struct {
        double x;
        const char* text;
    } cases[] = {
        {1.618, " 1.618"},
        {0.5, " .5"},
        {-0.5, "-.5"},
        {2, " 2"},
        {0, " 0"},
        {-0.0, " 0"},
        {1.2178, " 1.2178"},
        {12, " 12"},
        {0.618, " .618"},
        {-3.25, "-3.25"},
        {1.1613000000000002, " 1.1613"},
        {0.0001, " .0001"},
        {0.00001, " 1e-05"},
        {1e15, " 1e+15"},
        {-1.5e15, "-1.5e+15"},
        {123456789012345, " 123456789012345"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatStr(c.x), c.text) << c.x;
    }
}

TEST(FormatGeneral, FifteenDigitsNoNoiseLocalePoint) {
    const struct {
        double x;
        const char* point;
        const char* text;
    } cases[] = {
        {1.2236, ".", "1.2236"},
        {0.417, ".", "0.417"},
        {1000, ".", "1000"},
        {-3, ".", "-3"},
        {1.1613000000000002, ".", "1.1613"},
        {1000.0000000000001, ".", "1000"},
        {1.2300, ".", "1.23"},
        {-0.0, ".", "0"},
        {1.2236, ",", "1,2236"},
        {0.0001, ".", "0.0001"},
        {0.00001, ".", "1e-05"},
        {0.00001, ",", "1e-05"},
        {1.5e-7, ",", "1,5e-07"},
        {1.5, "\u066b", "1\u066b5"},
        {1e15, ".", "1e+15"},
        {999999999999999, ".", "999999999999999"},
        {std::numeric_limits<double>::infinity(), ".", "Out of range"},
        {std::nan(""), ".", "Out of range"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGeneral(c.x, c.point), c.text) << c.x;
    }
    EXPECT_EQ(FormatStr(std::nan("")), "Out of range");
}

namespace {

// Rounds the 15-significant-digit decimal of x half to even at `places`, by
// string arithmetic on printf's digits: an independent reference.
double ReferenceRound(double x, int places) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", x);
    std::string s(buf);
    const bool negative = s[0] == '-';
    if (negative) {
        s.erase(0, 1);
    }
    const int exponent = std::atoi(s.c_str() + s.find('e') + 1);
    std::string digits = s.substr(0, 1) + s.substr(2, 14);
    // Digits of the value with the point after position `point`.
    int point = exponent + 1;
    if (point < 0) {
        digits = std::string(size_t(-point), '0') + digits;
        point = 0;
    }
    const int keep = point + places;
    if (keep >= int(digits.size())) {
        return std::strtod(buf, nullptr) + 0.0;
    }
    std::string kept = keep > 0 ? digits.substr(0, size_t(keep)) : "0";
    const std::string dropped = digits.substr(size_t(keep > 0 ? keep : 0));
    const bool overHalf =
        dropped[0] > '5' ||
        (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string::npos);
    const bool tie = dropped[0] == '5' && !overHalf;
    if (overHalf || (tie && (kept.back() - '0') % 2 == 1)) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[size_t(i)] == '9') {
            kept[size_t(i--)] = '0';
        }
        if (i < 0) {
            kept = "1" + kept;
        } else {
            ++kept[size_t(i)];
        }
    }
    const std::string text = kept + "e-" + std::to_string(places);
    const double value = std::strtod(text.c_str(), nullptr);
    return negative && value != 0 ? -value : value;
}

}  // namespace

// The quick paths must give what the exact decimal rules give, ties included.
TEST(RoundHalfEven, AgreesWithDecimalReference) {
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<int> placesOf(0, 6), magnitude(-8, 12);
    std::uniform_real_distribution<double> unit(-1, 1);
    for (int i = 0; i < 200000; ++i) {
        const int places = placesOf(random);
        double x = unit(random) * std::pow(10.0, magnitude(random));
        if (i % 3 == 0) {  // an exact tie as typed: k + 0.5 units of the last place
            x = (std::round(x * std::pow(10.0, places)) + 0.5) / std::pow(10.0, places);
        }
        ASSERT_EQ(RoundHalfEven(x, places), ReferenceRound(x, places)) << x << " to " << places;
        const plovatrix::ShownDecimal shown = plovatrix::Shown(x);  // the same 15 digits
        ASSERT_EQ(std::stod(std::to_string(shown.digits) + "e" + std::to_string(shown.exponent)),
                  ReferenceRound(x, 99))
            << x;
    }
}

TEST(FormatGeneral, AgreesWithPrintfFifteenDigits) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> magnitude(-12, 20), decimals(0, 8);
    std::uniform_real_distribution<double> unit(-1, 1);
    for (int i = 0; i < 200000; ++i) {
        double x = unit(random) * std::pow(10.0, magnitude(random));
        if (i % 2 == 0) {  // short decimals, as prices and legs are
            const double scale = std::pow(10.0, decimals(random));
            x = std::round(x * scale) / scale;
        }
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", x + 0.0);
        ASSERT_EQ(FormatGeneral(x), buf) << x;
    }
}
