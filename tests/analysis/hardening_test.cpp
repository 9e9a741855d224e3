// Hostile input that once slipped through: numbers at the edges of a double, and runs whose
// coefficients overflow only at the scale at which they are shown.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/Answers.h"
#include "analysis/InputFault.h"
#include "tests/support/ScriptedToolkit.h"
#include "tests/support/TempFolder.h"

namespace kavrel {
namespace {

using testing::ScriptedToolkit;
using testing::TempFolder;

TEST(ParseNumber, BelowTheSmallestDoubleIsZeroBeyondTheLargestIsNoNumber) {
  // 1e-400 is far below the smallest subnormal double (4.9e-324): its nearest double is 0.
  for (const char* tiny : {"1e-400", "0.0000001e-320", "123456789e-340", " 1E-99999 "}) {
    const auto value = ParseNumber(tiny);
    ASSERT_TRUE(value) << tiny;
    EXPECT_EQ(*value, 0) << tiny;
    EXPECT_FALSE(std::signbit(*value)) << tiny;
  }
  const auto negative = ParseNumber("-1e-400");
  ASSERT_TRUE(negative);
  EXPECT_TRUE(*negative == 0 && std::signbit(*negative));
  EXPECT_EQ(ParseNumber("1e-320"), 1e-320);  // a subnormal is a value of its own
  for (const char* huge : {"1e400", "0.1e310", "100000e305", "-2e308", "1e99999999999"}) {
    EXPECT_FALSE(ParseNumber(huge)) << huge;
  }
  EXPECT_EQ(ParseSingle("1e-50"), 0.0F);
  EXPECT_FALSE(ParseSingle("1e39"));
}

// The small test with its first run replaced.
std::string SmallWith(const std::string& firstRun) {
  return "t\n\n\n\n\n\n\n\nh\n" + firstRun + "\n1.6 1.5\n0 0\n\n\n4 5\nT\n15\n";
}

TEST(Driver, RunsThatOverflowAtTheScaleShownEndTheAnalysisBeforeAnyQuestion) {
  // Sw 4 m2, 15 degrees (Rho 999.0 kg/m3, Nue 1.139e-6 m2/s):
  //   Rtm 1e303 kg at 0.001 m/s: Ctm = 1e303 * 9.80665 / (0.5 * 999 * 4 * 1e-6) = 4.9e306,
  //     finite, but 1000 * Ctm = 4.9e309 is beyond the largest double (1.8e308);
  //   Rtm 1e306 kg: Ctm itself is 4.9e309;
  //   Vm 1e303 m/s: Rnm = 1e303 * 5 / 1.139e-6 = 4.4e309.
  const struct {
    std::string run;
    std::string fault;
  } cases[] = {
      {"1e303 0.001",
       "KAVREL_BAS.DAT:10: the total resistance coefficient Ctm of the run on this "
       "line is not a finite number; its numbers are out of any sensible range"},
      {"1e306 0.001",
       "KAVREL_BAS.DAT:10: the total resistance coefficient Ctm of the run on this "
       "line is not a finite number; its numbers are out of any sensible range"},
      {"1 1e303",
       "KAVREL_BAS.DAT:10: the Reynolds number Rnm of the run on this line is not a "
       "finite number; its numbers are out of any sensible range"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", SmallWith(c.run));
    ScriptedToolkit ui({"N", "1", "1", "0", "0"});
    try {
      RunAnalysis(ui, folder.Path());
      ADD_FAILURE() << c.run << ": no fault";
    } catch (const InputFault& fault) {
      EXPECT_EQ(fault.what(), c.fault);
    }
    EXPECT_TRUE(ui.questions.empty()) << c.run;
    EXPECT_FALSE(folder.Exists("KAVREL.OUT")) << c.run;
  }
}

TEST(Driver, ANewTemperatureBeyondSinglePrecisionIsOutsideTheTables) {
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", SmallWith("0.8 1.0"));
  ScriptedToolkit ui({"Y", "1e300", "1e999", "nan", "20", "1", "1", "0", "0"});
  RunAnalysis(ui, folder.Path());
  const std::vector<std::string> expected{
      "The temperature 1e300 lies outside the water tables. Please enter a temperature from 0 to "
      "30 degrees.",
      "The answer \"1e999\" is not a number. Please type a number with the point \".\" as decimal "
      "separator.",
      "The answer \"nan\" is not a number. Please type a number with the point \".\" as decimal "
      "separator."};
  EXPECT_EQ(ui.messages, expected);
  EXPECT_TRUE(folder.Exists("KAVREL.OUT"));
}

}  // namespace
}  // namespace kavrel
