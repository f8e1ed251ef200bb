#include "search/run/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace Vorlaine {
namespace {

TEST(NumericValue, ReadsTheNumberAtTheStart) {
    EXPECT_EQ(NumericValue(u"4"), 4.0);
    EXPECT_EQ(NumericValue(u"4.5"), 4.5);
    EXPECT_EQ(NumericValue(u"  4"), 4.0);
    EXPECT_EQ(NumericValue(u"\t7"), 7.0);
    EXPECT_EQ(NumericValue(u"-5"), -5.0);
    EXPECT_EQ(NumericValue(u"+6"), 6.0);
    EXPECT_EQ(NumericValue(u".5"), 0.5);
    EXPECT_EQ(NumericValue(u"5."), 5.0);
    EXPECT_EQ(NumericValue(u"1e3"), 1000.0);
    EXPECT_EQ(NumericValue(u"2.5E-1"), 0.25);
    EXPECT_EQ(NumericValue(u"1e308"), 1e308);
}

TEST(NumericValue, AnythingElseEndsTheNumber) {
    EXPECT_EQ(NumericValue(u"4abc"), 4.0);
    EXPECT_EQ(NumericValue(u"4 5"), 4.0);
    EXPECT_EQ(NumericValue(u"4,5"), 4.0) << "the decimal point is always a full stop";
    EXPECT_EQ(NumericValue(u"1.2.3"), 1.2);
    EXPECT_EQ(NumericValue(u"0x10"), 0.0);
    EXPECT_EQ(NumericValue(u"3e"), 3.0) << "an exponent needs digits";
    EXPECT_EQ(NumericValue(u"3e+"), 3.0);
    EXPECT_EQ(NumericValue(u"3ex"), 3.0);
}

TEST(NumericValue, NoNumberIsZero) {
    EXPECT_EQ(NumericValue(u""), 0.0);
    EXPECT_EQ(NumericValue(u"abc"), 0.0);
    EXPECT_EQ(NumericValue(u"NaN"), 0.0);
    EXPECT_EQ(NumericValue(u"-"), 0.0);
    EXPECT_EQ(NumericValue(u"."), 0.0);
    EXPECT_EQ(NumericValue(u"e5"), 0.0);
    EXPECT_EQ(NumericValue(u"inf"), 0.0);
}

TEST(NumericValue, OutOfRange) {
    EXPECT_EQ(NumericValue(u"1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue(u"-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue(u"1e99999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue(u"1e-400"), 0.0);
    EXPECT_EQ(NumericValue(u"0.0000000000000000000000001"), 1e-25);
}

TEST(NumberText, WholeNumbers) {
    EXPECT_EQ(NumberText(0), " 0");
    EXPECT_EQ(NumberText(-0.0), " 0");
    EXPECT_EQ(NumberText(2), " 2");
    EXPECT_EQ(NumberText(100), " 100");
    EXPECT_EQ(NumberText(-2), "-2");
    EXPECT_EQ(NumberText(663473), " 663473");
    EXPECT_EQ(NumberText(123456789012345), " 123456789012345");
}

TEST(NumberText, FractionsHaveFifteenSignificantDigits) {
    EXPECT_EQ(NumberText(1.0 / 3 * 100), " 33.3333333333333");
    EXPECT_EQ(NumberText(2.0 / 3 * 100), " 66.6666666666667");
    EXPECT_EQ(NumberText(25.5), " 25.5");
    EXPECT_EQ(NumberText(0.5), " 0.5");
    EXPECT_EQ(NumberText(-0.25), "-0.25");
    EXPECT_EQ(NumberText(1.0 / 663473 * 100), " 0.000150722033903414");
    EXPECT_EQ(NumberText(1e-5), " 0.00001") << "no exponent form";
    EXPECT_EQ(NumberText(99.99999999999999), " 100");
}

} // namespace
} // namespace Vorlaine
