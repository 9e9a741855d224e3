// Reading answers: finite numbers with a point, whole numbers of 16 bits, yes and no.
#include "text/Answers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace kavrel {
namespace {

TEST(ParseNumber, TakesOnlyFiniteNumbersWithAPointAndReadsUnderflowAsZero) {
  // 1e-400 is far below the smallest subnormal double (4.9e-324): its nearest double is 0, with
  // its sign; 1e-320 is a subnormal, a value of its own.
  const std::pair<const char*, double> numbers[] = {
      {" 15.5 ", 15.5},  {"\t-2", -2},          {"+3", 3},         {"1e-3", 0.001},
      {".5", 0.5},       {"1e-400", 0},         {"-1e-400", -0.0}, {"0.0000001e-320", 0},
      {" 1E-99999 ", 0}, {"123456789e-340", 0}, {"1e-320", 1e-320}};
  for (const auto& [text, value] : numbers) {
    EXPECT_EQ(ParseNumber(text), value) << text;
    EXPECT_EQ(std::signbit(ParseNumber(text).value_or(1)), std::signbit(value)) << text;
  }
  // Beyond 1.8e308 there is no number.
  for (const char* bad : {"", "  ", "abc", "1,5", "1.5x", "nan", "inf", "-inf", "1e999", "0x10",
                          "+-1", "1 2", "--1", "0.1e310", "100000e305", "-2e308", "1e99999999999"})
    EXPECT_FALSE(ParseNumber(bad)) << '"' << bad << '"';
  EXPECT_EQ(ParseSingle("1e-50"), 0.0F);
  EXPECT_FALSE(ParseSingle("1e39"));
}

TEST(ParseWhole16, RoundsHalvesAwayFromZeroWithin16Bits) {
  const std::pair<const char*, int> cases[] = {
      {"2.5", 3},         {"-2.5", -3}, {"2.4999", 2}, {" 32767 ", 32767}, {"-32768", -32768},
      {"32767.4", 32767}, {"+1e1", 10}, {".5", 1},     {"1250e-2", 13},    {"1e-999", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseWhole16(text), value) << text;
  // Rounded on the decimal text as typed, not on its nearest double (1.5 for the first).
  EXPECT_TRUE(ParseWhole16("1.49999999999999999999") == 1 &&
              ParseWhole16("-0.4999999999999999999") == 0);
  for (const char* refused : {"32767.5", "70000", "two", "3276.75e1"})
    EXPECT_FALSE(ParseWhole16(refused)) << refused;
}

TEST(IsYesAndIsNo, TakeOnlyTheLetterItself) {
  EXPECT_TRUE(IsYes("Y") && IsYes("y") && IsNo("N") && IsNo("n"));
  for (const char* neither : {"", "yes", " Y", "Y ", "no", " n", "N\r"})
    EXPECT_FALSE(IsYes(neither) || IsNo(neither)) << '"' << neither << '"';
}

}  // namespace
}  // namespace kavrel
