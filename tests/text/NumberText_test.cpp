// Fixed-width number texts against values worked out by hand.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "text/NumberText.h"

namespace kavrel {
namespace {

TEST(FormatFixed, PointStandsAtAFixedColumnAndOverflowIsMarked) {
  const struct {
    double x;
    int p, d;
    const char* text;
  } cases[] = {
      {12.3456, 3, 3, " 12.346"},
      {0.5, 2, 3, " 0.500"},
      {15, 2, 2, "15.00"},
      {9.80665, 2, 5, " 9.80665"},
      {-12.3456, 3, 3, "-12.346"},
      {-123.4, 3, 3, "-123.400%"},
      {1234.5, 3, 3, "1234.500%"},
      {0, 3, 3, "  0.000"},
      {999.9994, 3, 3, "999.999"},
      {999.9995, 3, 3, "1000.000%"},
      {-99.5, 3, 1, "-99.5"},
      {0.25, 0, 2, "0.25%"},
      {12, 3, 0, " 12."},
      {1.005, 2, 2, " 1.01"},  // halves on the shortest decimal
      {2.675, 1, 2, "2.68"},
      {-2.5, 2, 0, "-3."},
      {0.0005, 1, 3, "0.001"},
      {1e-20, 1, 3, "0.000"},
      {123456789.125, 3, 2, "123456789.13%"},
      {std::numeric_limits<double>::quiet_NaN(), 3, 3, "NaN"},
      {-std::numeric_limits<double>::infinity(), 3, 3, "-Inf"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFixed(c.x, c.p, c.d), c.text) << c.x << " " << c.p;
  // A huge value prints every digit: 1 and 300 zeros, the point, 3 decimals and the mark.
  EXPECT_EQ(FormatFixed(1e300, 3, 3), "1" + std::string(300, '0') + ".000%");
}

TEST(FormatInteger, TruncatesAndRightJustifies) {
  EXPECT_EQ(std::vector({FormatInteger(7, 4), FormatInteger(12345, 4), FormatInteger(2.9, 3),
                         FormatInteger(-2.9, 3), FormatInteger(-0.5, 2)}),
            std::vector<std::string>({"   7", "12345", "  2", " -2", " 0"}));
}

TEST(ReadableNumberAndRoundTrip, ShortestTextsThatReadBack) {
  // Messages: without exponent from 1e-5 to below 1e16, in exponent form beyond.
  EXPECT_EQ(ReadableNumber(87.79476863213192), "87.79476863213192");
  EXPECT_EQ(ReadableNumber(-4), "-4");
  EXPECT_EQ(ReadableNumber(0.00012), "0.00012");
  EXPECT_EQ(ReadableNumber(1e-300), "1e-300");
  EXPECT_EQ(ReadableNumber(2.5e20), "2.5e+20");
  // The CSV files: whichever form is shorter.
  EXPECT_EQ(RoundTrip(1051127000.0), "1051127000");
  EXPECT_EQ(RoundTrip(0.0015), "0.0015");
  EXPECT_EQ(RoundTrip(1e-7), "1e-07");
}

}  // namespace
}  // namespace kavrel
