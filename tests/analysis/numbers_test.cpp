// Reading, rounding and the two number forms, one line a case, and the
// rounding and the general form against independent references.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <optional>
#include <random>
#include <string>

#include "numbers.h"
#include "reference.h"

using namespace plovatrix;

TEST(Numbers, LeadingAndWholeNumber) {
    // clang-format off
    // The value the leading-number reading gives, and the whole-text reading's (empty: refused).
    const struct { const char* text; double leading; std::optional<double> whole; } cases[] = {
        {"1.2154", 1.2154, 1.2154}, {" 1.5 ", 1.5, 1.5}, {"\t 3", 3, 3}, {"-1", -1, -1}, {"+7", 7, 7},
        {".5", 0.5, 0.5}, {"5.", 5, 5}, {"0", 0, 0}, {"00", 0, 0}, {"-0", 0, 0}, {"999999", 999999, 999999},
        {"0.0001", 0.0001, 0.0001}, {"12abc", 12, {}}, {"abc", 0, {}}, {"", 0, {}}, {"   ", 0, {}},
        {" -1.5x", -1.5, {}}, {"1.2.3", 1.2, {}}, {"1,2", 1, {}}, {"1e3", 1, {}}, {"1 000", 1, {}},
        {"inf", 0, {}}, {"nan", 0, {}}, {"0x10", 0, {}}, {"-", 0, {}}, {".", 0, {}}, {"-.", 0, {}},
        {" - 1", 0, {}}, {"$5", 0, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingNumber(c.text), c.leading) << '"' << c.text << '"';
        EXPECT_FALSE(c.leading == 0 && std::signbit(LeadingNumber(c.text))) << '"' << c.text << '"';
        EXPECT_EQ(WholeNumber(c.text), c.whole) << '"' << c.text << '"';
    }
    EXPECT_FALSE(WholeNumber("1" + std::string(400, '0')).has_value());
    EXPECT_EQ(*WholeNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(Numbers, RoundHalfEvenAsShown) {
    // clang-format off
    const struct { double x; int places; double rounded; } cases[] = {
        {0.0625, 3, 0.062}, {2.5, 0, 2}, {3.5, 0, 4}, {-2.5, 0, -2}, {2.675, 2, 2.68}, {1.005, 2, 1},
        {1.1618076, 4, 1.1618}, {0.0635, 3, 0.064}, {1.152632, 4, 1.1526}, {-617.9999999999986, 4, -618},
        {1000.0000000000009, 4, 1000}, {2.0 / 3, 3, 0.667}, {1.1613000000000002, 4, 1.1613},
        {0.00005, 4, 0}, {0.00015, 4, 0.0002}, {5.00000000000001e-5, 4, 0.0001}, {123456.78125, 4, 123456.7812},
        {1e20, 2, 1e20}, {0.1 + 0.2, 16, 0.3}, {-0.0, 2, 0}, {-0.00001, 2, 0}, {-0.4, 0, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.x, c.places), c.rounded) << c.x << " to " << c.places;
        EXPECT_FALSE(std::signbit(RoundHalfEven(c.x, c.places)) && c.rounded == 0) << c.x;
    }
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""), 2)));
    EXPECT_EQ(RoundHalfEven(HUGE_VAL, 2), HUGE_VAL);
}

TEST(Numbers, Forms) {
    // clang-format off
    // x, FormatStr(x), FormatGeneral(x) with '.'.
    const struct { double x; const char *str, *general; } cases[] = {
        {1.618, " 1.618", "1.618"}, {0.5, " .5", "0.5"}, {-0.5, "-.5", "-0.5"}, {2, " 2", "2"},
        {0, " 0", "0"}, {-0.0, " 0", "0"}, {-3.25, "-3.25", "-3.25"}, {1000, " 1000", "1000"},
        {1.1613000000000002, " 1.1613", "1.1613"}, {1000.0000000000001, " 1000", "1000"},
        {0.0001, " .0001", "0.0001"}, {0.00001, " 1e-05", "1e-05"}, {1e15, " 1e+15", "1e+15"},
        {-1.5e15, "-1.5e+15", "-1.5e+15"}, {999999999999999, " 999999999999999", "999999999999999"},
        {NAN, "Out of range", "Out of range"}, {HUGE_VAL, "Out of range", "Out of range"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(FormatStr(c.x), c.str) << c.x;
        EXPECT_EQ(FormatGeneral(c.x), c.general) << c.x;
    }
    EXPECT_EQ(FormatGeneral(1.2236, ","), "1,2236");
    EXPECT_EQ(FormatGeneral(1.5e-7, ","), "1,5e-07");
    EXPECT_EQ(FormatGeneral(1.5, "\u066b"), "1\u066b5");
}

// The quick paths must give what the exact decimal rules give, ties included.
TEST(Numbers, RoundHalfEvenAgreesWithTheDecimalReference) {
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<int> placesOf(0, 6), magnitude(-8, 12);
    std::uniform_real_distribution<double> unit(-1, 1);
    for (int i = 0; i < 200000; ++i) {
        const int places = placesOf(random);
        const double scale = std::pow(10.0, places);
        double x = unit(random) * std::pow(10.0, magnitude(random));
        if (i % 3 == 0) {  // an exact tie as typed: k + 0.5 units of the last place
            x = (std::round(x * scale) + 0.5) / scale;
        }
        ASSERT_EQ(RoundHalfEven(x, places), reference::RoundHalfEven(x, places))
            << x << " to " << places;
        const Decimal d = Decimal15(x);  // the same 15 digits, read by the band test
        ASSERT_EQ(std::stod(std::to_string(d.digits) + "e" + std::to_string(d.exponent)),
                  reference::RoundHalfEven(x, 99))
            << x;
    }
    for (double x : {DBL_MAX, -DBL_MAX, DBL_MIN, 5e-324, 1e300, -1e-300, 123456.78125}) {
        for (int places : {0, 4, 17, 255}) {
            EXPECT_EQ(RoundHalfEven(x, places), reference::RoundHalfEven(x, places))
                << x << " to " << places;
        }
    }
}

TEST(Numbers, FormatGeneralAgreesWithPrintfFifteenDigits) {
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
