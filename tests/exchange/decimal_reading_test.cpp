// Number reading of the exchange files: C-library semantics, independent of the locale.
#include "brindel/exchange/decimal_reading.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "brindel/exchange/fixed_format.h"

using namespace mirelda::exchange;

namespace mirelda {
namespace {

TEST(DecimalReading, DoublesStopAtTheFirstCharacterThatCannotContinue) {
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("  -12.5abc").value, -12.5);
  EXPECT_EQ(ReadLeadingDouble("  -12.5abc").end, 7u);
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("+3e2,").value, 300);
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("6,5").value, 6);  // ',' is never a decimal separator here
  EXPECT_DOUBLE_EQ(ReadLeadingDouble(".5").value, 0.5);
  EXPECT_FALSE(ReadLeadingDouble("   \r\n").found);
  EXPECT_EQ(ReadLeadingDouble("x1").value, 0);
  EXPECT_TRUE(std::isinf(ReadLeadingDouble("1e999").value));
  EXPECT_EQ(ReadLeadingDouble("1e-999").value, 0);
}

// from_chars takes "nan" and "inf": a NaN point once passed every reader and orvane built a shell around it.
TEST(DecimalReading, NanAndInfWordsAreNoNumbers) {
  for (const char* text : {"nan", "-nan", "NaN", "inf", "+inf", "-Infinity", " nan(1)", ".", "-.e5"}) {
    EXPECT_FALSE(ReadLeadingDouble(text).found) << text;
    EXPECT_EQ(ReadLeadingDouble(text).value, 0) << text;
    EXPECT_EQ(ReadLeadingDouble(text).end, 0u) << text;
  }
  EXPECT_DOUBLE_EQ(ReadLeadingDouble("-.5nan").value, -0.5);
  EXPECT_EQ(ReadLeadingDouble("-.5nan").end, 3u);
  EXPECT_DOUBLE_EQ(DoubleAt("ATOM  nan", 6), 0);
}

TEST(DecimalReading, IntegersWithSignAndBlanks) {
  EXPECT_EQ(ReadLeadingInteger("  -999x").value, -999);
  EXPECT_EQ(ReadLeadingInteger("0012").value, 12);
  EXPECT_FALSE(ReadLeadingInteger(" -").found);
  EXPECT_EQ(IntegerAt("abc", 10), 0);
}

TEST(FixedFormat, MatchesPrintfAndIgnoresACommaLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // may be unavailable; then "C" stays
  EXPECT_EQ(Fixed(1.5, 7, 3), "  1.500");
  EXPECT_EQ(Fixed(-0.0004, 7, 3), " -0.000");
  EXPECT_EQ(Fixed(88.6, 6, 1), "  88.6");
  EXPECT_EQ(Fixed(1234.5678, 7, 3), "1234.568");
  EXPECT_EQ(Fixed(0.125, 4, 2), "0.12");  // exact binary tie rounds to even, as printf does
  if (previous != nullptr) std::setlocale(LC_NUMERIC, "C");
}

// The rounding is decided from a double product except near a half-way point: every value class where
// that shortcut could go wrong (exact ties, a hair either side of them, single-precision positions,
// large and tiny magnitudes, negative zero) must still give printf's text.
TEST(FixedFormat, AgreesWithPrintfOnMillionsOfValues) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> mantissa(-1, 1);
  std::uniform_int_distribution<int> exponent(-12, 16);
  std::uniform_int_distribution<long long> integers(-2000000000000LL, 2000000000000LL);
  char expected[512];
  std::string text;
  const auto check = [&](double value, int width, int precision) {
    std::snprintf(expected, sizeof expected, "%*.*f", width, precision, value);
    text.clear();
    AppendFixed(text, value, width, precision);
    ASSERT_EQ(text, expected) << "value " << value << " precision " << precision;
  };
  for (int k = 0; k < 400000; ++k) {
    const int precision = k % 10;
    const double value = mantissa(random) * std::pow(10.0, exponent(random));
    check(value, 8, precision);
    check(static_cast<float>(value), 7, precision);
    // Ties and their neighbours: n + 1/2 units of the last decimal.
    const double tie = (static_cast<double>(integers(random) % 100000000) + 0.5) / std::pow(10.0, precision);
    check(tie, 0, precision);
    check(std::nextafter(tie, 0.0), 0, precision);
    check(std::nextafter(tie, 1e300), 0, precision);
  }
  for (double value : {0.0, -0.0, 1e-300, -1e-300, 4503599627370495.5, 4503599627370497.0, 1e22, -7e300, 0.5,
                       1.5, 2.5, -0.5, 0.0005, 0.0015, 0.0025, 999.9995, 9.9999999995}) {
    for (int precision = 0; precision < 12; ++precision) check(value, 9, precision);
  }
  text.clear();
  AppendInteger(text, -42, 4);
  AppendInteger(text, 123456, 2);
  EXPECT_EQ(text, " -42123456");
}

}  // namespace
}  // namespace mirelda
