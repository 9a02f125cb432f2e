// Number reading of the exchange files: C-library semantics, independent of the locale.
#include "brindel/exchange/decimal_reading.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

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

}  // namespace
}  // namespace mirelda
