// The kavrel executable with the regression polynomial smoothing: the smoothed column of
// the report, refusals, the mended refused calculation, and the pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace kavrel {
namespace {

using testing::RunKavrel;
using testing::TempFolder;
using testing::TestData;

// The small test (four runs at 15 degrees, Rho 999.0) has, worked out by hand from
// Ctm = Rtm·g / (0.5·Rho·Vm²·Sw): 3.92659, 3.70844, 3.49030, 3.68117 (times 1000).
// Its hand-worked report with CtmS = Ctm is small_expected.OUT; these give the CtmS
// column for the fits below, with half weight on the first and last run of a range:
// - runs 1..4, 2 terms: a straight line in Vm through the weighted mean 3.66754 at
//   Vm = 1.5 with slope Ctm(4) - Ctm(1) per m/s: 3.790, 3.668, 3.668, 3.545;
// - runs 3..4, 1 term: the mean of runs 3 and 4, 3.58574;
// - runs 1..4, 1 term: the weighted mean 3.66754.
std::string ReportWithCtmS(const std::vector<std::string>& CtmS) {
  std::istringstream expected(TestData("small_expected.OUT"));
  std::string report;
  std::string line;
  for (int number = 1; std::getline(expected, line); ++number) {
    const int run = number - 2;  // two heading lines
    if (run >= 1 && run <= static_cast<int>(CtmS.size())) {
      // CtmS is the sixth column: skip five blank-separated fields.
      std::size_t at = 0;
      for (int field = 0; field < 5; ++field) {
        at = line.find_first_not_of(' ', at);
        at = line.find(' ', at);
      }
      at = line.find_first_not_of(' ', at);
      line.replace(at, CtmS[run - 1].size(), CtmS[run - 1]);
    }
    report += line + "\n";
  }
  return report;
}

const std::vector<std::string> Measured{"3.927", "3.708", "3.490", "3.681"};

struct Smoothing {
  const char* name;
  std::string answers;  // after the temperature ("N") and smoothing ("1") answers
  std::vector<std::string> CtmS;
};

TEST(PolynomialSmoothingRun, WritesTheSmoothedColumn) {
  const std::vector<Smoothing> cases{
      {"whole range, a straight line", "1\n0\n2\nY\nY\n", {"3.790", "3.668", "3.668", "3.545"}},
      {"partial range, defaults accepted", "3\n4\n1\n\n\n", {"3.927", "3.708", "3.586", "3.586"}},
      {"a refused fit stays outside a later range",
       "1\n0\n1\nn\n3\n4\n1\nY\nY\n",
       {"3.668", "3.668", "3.586", "3.586"}},
      {"a refused calculation starts again from the measured values",
       "1\n0\n1\nY\nN\n3\n4\n1\nY\nY\n",
       {"3.927", "3.708", "3.586", "3.586"}},
      {"order 0 after a refused calculation keeps the measured values", "1\n0\n1\nY\nn\n1\n0\n0\n",
       Measured},
      {"order 0 at once", "\n\n\n", Measured},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
    const auto run = RunKavrel(folder.Path(), "N\n1\n" + c.answers);
    EXPECT_EQ(run.status, 0) << c.name << ": " << run.err;
    EXPECT_EQ(folder.Read("KAVREL.OUT"), ReportWithCtmS(c.CtmS)) << c.name;
  }
}

TEST(PolynomialSmoothingRun, RefusedAnswersAreNamedAndAskedAgain) {
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
  // NS "x"; the range 5..4 (the last run); the range 0..4; order 4 (only three
  // different Fn); order 21; then the whole range with order 2.
  const auto run = RunKavrel(folder.Path(), "N\n1\nx\n5\n0\n0\n4\n1\n0\n4\n21\n2\nY\nY\n");
  EXPECT_EQ(run.status, 0) << run.err;
  for (const char* refused : {"\"x\"", "NS = 5", "NS = 0", "order 4", "order 21"}) {
    EXPECT_NE(run.err.find(refused), std::string::npos) << refused << " in:\n" << run.err;
  }
  EXPECT_EQ(folder.Read("KAVREL.OUT"), ReportWithCtmS({"3.790", "3.668", "3.668", "3.545"}));
}

TEST(PolynomialSmoothingRun, OneFormFactorRunDrawsNothingUndefined) {
  // Only run 1 (Fn 0.143) lies in 0.1 < Fn < 0.2: (1+k) cannot be found.
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
  const auto run = RunKavrel(folder.Path(), "N\n1\n1\n0\n2\nY\nY\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(folder.Read("KAVREL.OUT"), ReportWithCtmS({"3.790", "3.668", "3.668", "3.545"}));
  for (const char* picture : {"KAVREL_COEFFICIENTS.svg", "KAVREL_FORM_FACTOR_RAW.svg",
                              "KAVREL_FORM_FACTOR_SMOOTHED.svg"}) {
    std::string svg = folder.Read(picture);
    ASSERT_FALSE(svg.empty()) << picture;
    std::transform(svg.begin(), svg.end(), svg.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    EXPECT_EQ(svg.find("nan"), std::string::npos) << picture;
    EXPECT_EQ(svg.find("inf"), std::string::npos) << picture;
  }
  for (const std::string& text : {run.out, run.err}) {
    EXPECT_EQ(text.find("NaN"), std::string::npos);
    EXPECT_EQ(text.find("Inf"), std::string::npos);
  }
}

TEST(PolynomialSmoothingRun, WithoutRunsSaysSoAndWritesTheReport) {
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", "t\n\n\n\n\n\n\n\nh\n0 0\n\n\n4.0 5.0\nT\n15\n");
  const auto run = RunKavrel(folder.Path(), "N\n1\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("There are no runs to smooth"), std::string::npos);
  EXPECT_TRUE(folder.Exists("KAVREL.OUT"));
}

}  // namespace
}  // namespace kavrel
