// Rounding and the number texts of the displays.
#include "model/number_format.h"

#include <gtest/gtest.h>

using namespace omvi::model;

namespace {
const QLocale kComma(QLocale::German, QLocale::Germany);
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(197.2), 197);
    EXPECT_EQ(roundHalfEven(-0.6), -1);
}

TEST(FormatFixed, LimitsSignificantDigitsThenPadsTheDecimals) {
    EXPECT_EQ(formatFixed(200 * 23.0 / 375.0 + 0.7, 4, 2), "12.97");
    EXPECT_EQ(formatFixed(1.2345, 2, 2), "1.20");
    EXPECT_EQ(formatFixed(0.0123, 3, 2), "0.01");
    EXPECT_EQ(formatFixed(0, 3, 2), "0.00");
    EXPECT_EQ(formatFixed(36 / 51.0, 3, 2), "0.71");
    EXPECT_EQ(formatFixed(255 * 0.0196, 3, 2), "5.00");
}

TEST(FormatFixed, ExactTiesRoundAwayFromZeroAndCarriesAreKept) {
    EXPECT_EQ(formatFixed(0.125, 2, 2), "0.13");
    EXPECT_EQ(formatFixed(-0.125, 2, 2), "-0.13");
    EXPECT_EQ(formatFixed(22.5, 15, 0), "23");
    EXPECT_EQ(formatFixed(9.996, 3, 2), "10.00");
    EXPECT_EQ(formatFixed(99.95, 3, 2), "100.00");
}

TEST(FormatFixed, SignOfAZeroTextIsDropped) {
    EXPECT_EQ(formatFixed(-0.001, 2, 2), "0.00");
    EXPECT_EQ(formatFixed(-0.78125, 2, 2), "-0.78");
}

TEST(FormatFixed, UsesTheLocaleDecimalSeparatorWithoutGroups) {
    EXPECT_EQ(formatFixed(12.9667, 4, 2, kComma), "12,97");
    EXPECT_EQ(formatFixed(1234.5, 6, 1, kComma), "1234,5");
}

TEST(FormatFixed, MoreIntegerDigitsThanThePrecisionGoScientific) {
    const QString text = formatFixed(1234.5, 2, 2);
    EXPECT_TRUE(text.contains(QLatin1Char('e'))) << text.toStdString();
}

TEST(FormatGeneral, DropsTrailingZeros) {
    EXPECT_EQ(formatGeneral(2.5, 3), "2.5");
    EXPECT_EQ(formatGeneral(2.55, 3), "2.55");
    EXPECT_EQ(formatGeneral(0.70, 3), "0.7");
    EXPECT_EQ(formatGeneral(5.0, 3), "5");
    EXPECT_EQ(formatGeneral(2.556, 3), "2.56");
    EXPECT_EQ(formatGeneral(0, 3), "0");
    EXPECT_EQ(formatGeneral(2.5, 3, kComma), "2,5");
}

TEST(ParseNumber, ReadsWhatTheSameLocaleWrote) {
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral("2,55"), kComma), 2.55);
    EXPECT_DOUBLE_EQ(*parseNumber(QStringLiteral(" 2.55 ")), 2.55);
    EXPECT_DOUBLE_EQ(*parseNumber(formatFixed(0.7, 3, 2, kComma), kComma), 0.7);
    EXPECT_FALSE(parseNumber(QStringLiteral("")));
    EXPECT_FALSE(parseNumber(QStringLiteral("abc")));
    EXPECT_FALSE(parseNumber(QStringLiteral("2,55")));  // not a C-locale number
}
