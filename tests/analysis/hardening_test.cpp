// Hostile input that once slipped through: numbers at the edges of a double, and runs whose
// coefficients overflow only at the scale at which they are shown.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/Analysis.h"
#include "tests/support/ScriptedToolkit.h"
#include "tests/support/TempFolder.h"
#include "text/Answers.h"
#include "text/Faults.h"

namespace kavrel {
namespace {

TEST(ParseNumber, BelowTheSmallestDoubleIsZeroBeyondTheLargestIsNoNumber) {
  // 1e-400 is far below the smallest subnormal double (4.9e-324): its nearest double is 0 (with
  // its sign); 1e-320 is a subnormal, a value of its own; beyond 1.8e308 there is no number.
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"1e-400", 0.0},   {"0.0000001e-320", 0.0}, {"123456789e-340", 0.0}, {" 1E-99999 ", 0.0},
      {"-1e-400", -0.0}, {"1e-320", 1e-320},      {"0.1e310", {}},         {"100000e305", {}},
      {"-2e308", {}},    {"1e99999999999", {}}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ParseNumber(text), value) << text;
    EXPECT_EQ(std::signbit(ParseNumber(text).value_or(1)), std::signbit(value.value_or(1))) << text;
  }
  EXPECT_EQ(ParseSingle("1e-50"), 0.0F);
  EXPECT_FALSE(ParseSingle("1e39"));
}

// The small test with its first run replaced.
std::string SmallWith(const std::string& firstRun) {
  return "t\n\n\n\n\n\n\n\nh\n" + firstRun + "\n1.6 1.5\n0 0\n\n\n4 5\nT\n15\n";
}

TEST(Driver, OverflowingRunsEndTheAnalysisAndAHugeNewTemperatureIsRefused) {
  // Sw 4 m2, 15 degrees (Rho 999.0 kg/m3, Nue 1.139e-6 m2/s):
  //   Rtm 1e303 kg at 0.001 m/s: Ctm = 1e303 * 9.80665 / (0.5 * 999 * 4 * 1e-6) = 4.9e306,
  //     finite, but 1000 * Ctm = 4.9e309 is beyond the largest double (1.8e308);
  //   Rtm 1e306 kg: Ctm itself is 4.9e309;
  //   Vm 1e303 m/s: Rnm = 1e303 * 5 / 1.139e-6 = 4.4e309.
  const std::string ctm = "the total resistance coefficient Ctm", rnm = "the Reynolds number Rnm";
  const std::pair<std::string, std::string> cases[] = {
      {"1e303 0.001", ctm}, {"1e306 0.001", ctm}, {"1 1e303", rnm}};
  for (const auto& [run, coefficient] : cases) {
    test::TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", SmallWith(run));
    test::ScriptedToolkit ui({"N", "1", "1", "0", "0"});
    try {
      RunAnalysis(ui, folder.Path());
      ADD_FAILURE() << run << ": no fault";
    } catch (const InputFault& fault) {
      EXPECT_EQ(fault.what(), "KAVREL_BAS.DAT:10: " + coefficient +
                                  " of the run on this line is not a finite number; its numbers "
                                  "are out of any sensible range");
    }
    EXPECT_TRUE(ui.questions.empty()) << run;
    EXPECT_FALSE(folder.Exists("KAVREL.OUT")) << run;
  }
  // A new temperature beyond single precision lies outside the tables like any other.
  test::TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", SmallWith("0.8 1.0"));
  test::ScriptedToolkit ui({"Y", "1e300", "20", "1", "1", "0", "0"});
  RunAnalysis(ui, folder.Path());
  EXPECT_EQ(ui.messages, std::vector<std::string>{"The temperature 1e300 lies outside the water "
                                                  "tables. Please enter a temperature from 0 to "
                                                  "30 degrees."});
  EXPECT_TRUE(folder.Exists("KAVREL.OUT"));
}

}  // namespace
}  // namespace kavrel
