#include "model/numfmt.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../error_of.h"
#include "model/errors.h"

namespace kuma {
namespace {

using test::ErrorOf;

TEST(FormatFixed, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(FormatFixed(0.125, 2), "0.13");
  EXPECT_EQ(FormatFixed(-0.125, 2), "-0.13");
  EXPECT_EQ(FormatFixed(2.5, 0), "3");
  EXPECT_EQ(FormatFixed(-2.5, 0), "-3");
  EXPECT_EQ(FormatFixed(49062.5, 0), "49063");
  EXPECT_EQ(FormatFixed(-12345.678, 2), "-12345.68");
  EXPECT_EQ(FormatFixed(1.0137, 3), "1.014");
  EXPECT_EQ(FormatFixed(9.9996, 3), "10.000");
  EXPECT_EQ(FormatFixed(4840000, 0), "4840000");
}

TEST(FormatFixed, ZeroHasNoMinusSign) {
  EXPECT_EQ(FormatFixed(0.0, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.0, 3), "0.000");
  EXPECT_EQ(FormatFixed(-0.004, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.4, 0), "0");
  EXPECT_EQ(FormatFixed(-0.5, 0), "-1");
}

TEST(FormatFixed, SmallAndLargeMagnitudes) {
  EXPECT_EQ(FormatFixed(0.0004, 3), "0.000");
  EXPECT_EQ(FormatFixed(0.0005, 3), "0.001");
  EXPECT_EQ(FormatFixed(0.00049, 3), "0.000");
  EXPECT_EQ(FormatFixed(123456789012.0, 0), "123456789012");
  EXPECT_EQ(FormatFixed(1e-300, 2), "0.00");
}

TEST(FormatScientific5, FiveDigitsCapitalEThreeExponentDigits) {
  EXPECT_EQ(FormatScientific5(-954), "-9.5400E+002");
  EXPECT_EQ(FormatScientific5(44944), "4.4944E+004");
  EXPECT_EQ(FormatScientific5(2200.0 / 3), "7.3333E+002");
  EXPECT_EQ(FormatScientific5(0), "0.0000E+000");
  EXPECT_EQ(FormatScientific5(0.00012345), "1.2345E-004");
  EXPECT_EQ(FormatScientific5(99999.5), "1.0000E+005");
  EXPECT_EQ(FormatScientific5(1.5e-300), "1.5000E-300");
}

TEST(RoundEven, HalvesGoToEvenNeighbour) {
  EXPECT_EQ(RoundEven(0.5), 0);
  EXPECT_EQ(RoundEven(1.5), 2);
  EXPECT_EQ(RoundEven(2.5), 2);
  EXPECT_EQ(RoundEven(-2.5), -2);
  EXPECT_EQ(RoundEven(303.5), 304);
  EXPECT_EQ(RoundEven(2.03), 2);
  EXPECT_THROW(RoundEven(std::nan("")), Error);
  EXPECT_THROW(RoundEven(1e300), Error);
}

TEST(StrToFloat, AcceptsNumbersWithBlanksAround) {
  EXPECT_DOUBLE_EQ(StrToFloat("27.5"), 27.5);
  EXPECT_DOUBLE_EQ(StrToFloat("-0.0035"), -0.0035);
  EXPECT_DOUBLE_EQ(StrToFloat(" 1e3 "), 1000.0);
  EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloat("5."), 5.0);
  EXPECT_DOUBLE_EQ(StrToFloat("+2"), 2.0);
}

TEST(StrToFloat, RejectsWithTheStandardMessage) {
  for (const char* bad :
       {"abc", "1,5", "1.2.3", "inf", "nan", "0x10", "1e", "--1", "1e999", "12 5"}) {
    try {
      StrToFloat(bad);
      FAIL() << bad;
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), "'" + std::string(bad) + "' 不是有效的数值");
    }
  }
  // Nothing typed is said as such, not quoted as an empty text.
  for (const char* blank : {"", " ", "\t "}) {
    EXPECT_EQ(ErrorOf([&] { StrToFloat(blank); }), "未输入数值") << '[' << blank << ']';
    EXPECT_EQ(ErrorOf([&] { StrToInt(blank); }), "未输入数值") << '[' << blank << ']';
  }
}

TEST(StrToInt, AcceptsIntegersOnly) {
  EXPECT_EQ(StrToInt("12"), 12);
  EXPECT_EQ(StrToInt(" -3 "), -3);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  for (const char* bad : {"12.5", "1e2", "abc", "2147483648", "0x1F", "$1F"}) {
    try {
      StrToInt(bad);
      FAIL() << bad;
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), "'" + std::string(bad) + "' 不是整数");
    }
  }
}

TEST(CheckedArithmetic, RaisesTheStandardReports) {
  EXPECT_DOUBLE_EQ(CheckedDiv(1, 4), 0.25);
  try {
    CheckedDiv(1, 0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Floating point division by zero");
  }
  try {
    CheckedDiv(0, 0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Invalid floating point operation");
  }
  EXPECT_THROW(CheckedSqrt(-1), Error);
  EXPECT_DOUBLE_EQ(CheckedSqrt(4), 2);
}

}  // namespace
}  // namespace kuma
