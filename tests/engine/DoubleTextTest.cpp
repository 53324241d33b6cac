// The plain text of a double ("%.15G" with the classic rules) and VBA-style
// Round on a double.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/DoubleText.h"

namespace zorv::engine {
namespace {

struct TextCase {
    double value;
    const char* text;
};

TEST(PlainText, FifteenDigitsAndExponentRules) {
    const std::vector<TextCase> cases = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {-1.5, "-1.5"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {100.0, "100"},
        {123456.789, "123456.789"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E+15"},
        {1.2e15, "1.2E+15"},
        {-1.2e15, "-1.2E+15"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {1e100, "1E+100"},
        {1.7976931348623157e308, "1.79769313486232E+308"},
        {999999999999999.9, "1E+15"},  // rounds up to 16 digits
        {5.6789e-11, "0.000000000056789"},
        {5.6789e-12, "5.6789E-12"},
        {1e-15, "0.000000000000001"},
        {1e-16, "1E-16"},
        {0.00001, "0.00001"},
        {1.0 / 300.0, "3.33333333333333E-03"},
        {0.5e-5, "0.000005"},
        {1.5e-300, "1.5E-300"},
        {5e-324, "4.94065645841247E-324"},
        {1234567890123455.0, "1.23456789012346E+15"},
        {0.1, "0.1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(plainText(c.value), c.text);
    }
}

TEST(PlainText, LocaleDecimalSymbol) {
    EXPECT_EQ(plainText(1234.5, ","), "1234,5");
    EXPECT_EQ(plainText(1.25e20, ","), "1,25E+20");
    EXPECT_EQ(plainText(0.001, "<>"), "0<>001");
    EXPECT_EQ(plainText(2.5, ""), "2.5");
}

TEST(PlainText, NonFiniteValuesAreWordsCallersNeverShow) {
    EXPECT_EQ(plainText(std::numeric_limits<double>::infinity()), "Infinity");
    EXPECT_EQ(plainText(-std::numeric_limits<double>::infinity()), "-Infinity");
    EXPECT_EQ(plainText(std::numeric_limits<double>::quiet_NaN()), "NaN");
}

struct RoundCase {
    double value;
    int places;
    double expected;
};

TEST(RoundDouble, ScaleInDoubleThenHalfToEven) {
    const std::vector<RoundCase> cases = {
        {0.12345, 4, 0.1234},  // 1234.5 after scaling: even
        {0.5, 0, 0.0},
        {1.5, 0, 2.0},
        {2.5, 0, 2.0},
        {-2.5, 0, -2.0},
        {-3.5, 0, -4.0},
        {2.675, 2, 2.68},  // 2.67499999... times 100 rounds to 267.5 in double: even is 268
        {0.125, 2, 0.12},
        {1.005, 2, 1.0},
        {123.456, 1, 123.5},
        {123.456, -1, 123.0},  // negative places act as 0
        {1e300, 2, 1e300},
        {12345678901234567.0, 3, 12345678901234567.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(roundDouble(c.value, c.places), c.expected);
    }
    EXPECT_TRUE(std::isnan(roundDouble(std::numeric_limits<double>::quiet_NaN(), 2)));
    EXPECT_EQ(roundDouble(std::numeric_limits<double>::infinity(), 2), std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace zorv::engine
