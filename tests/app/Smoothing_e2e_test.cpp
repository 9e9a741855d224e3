// The kavrel executable with both smoothing methods: the report's CtmS column and Munk block,
// refused answers named, and nothing undefined in the report, the texts or the pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/MunkTestData.h"
#include "tests/support/TempFolder.h"

namespace kavrel::test {
namespace {

// A data file of a 5 m model, Sw 4.2 m2, at 15 degrees with these runs ("Rtm Vm" lines).
std::string DataFile(const std::string& runs) {
  return "h\nh\nh\nh\nh\nh\nh\nh\nh\n" + runs + "0 0\n\nSw Lwl\n4.2 5.0\nT\n15\n";
}

// A test of a 5 m model, Sw 4.2 m2, at 15 degrees (Nue 1.13902e-6 m2/s, Rho 999.0 kg/m3 in the
// water tables), made from the wave-resistance model with D = 0.1, 0.3, 0.5, 0.8 plus scatter
// orthogonal to its terms: the fit with those D gives the model back, which the CtmS column
// must then read. Returns the data file and that column.
auto ModelFile(std::size_t runs, double FnLow) {
  const auto test = MakeModelTest(runs, FnLow, 0.4);
  std::pair<std::string, std::vector<std::string>> file;
  char text[80];
  for (std::size_t I = 0; I < runs; ++I) {
    const double g = 9.80665, Vm = test.Fn[I] * std::sqrt(5 * g);
    std::snprintf(text, sizeof text, "%.15g %.15g\n",
                  test.Ctm[I] / 2000 * 999.0 * 4.2 * Vm * Vm / g, Vm);
    file.first += text;
    std::snprintf(text, sizeof text, "%.3f", test.model[I]);
    file.second.emplace_back(text);
  }
  file.first = DataFile(file.first);
  return file;
}

TEST(SmoothingRun, WritesTheSmoothedColumnAndTheMunkBlock) {
  // The small test (four runs at 15 degrees, Rho 999.0) has, worked out by hand from
  // Ctm = Rtm·g / (0.5·Rho·Vm²·Sw): 3.92659, 3.70844, 3.49030, 3.68117 (times 1000), and only
  // its first run lies in 0.1 < Fn < 0.2, so (1+k) is undefined. The fits, half weight on the
  // first and last run of a range:
  // - runs 1..4, 2 terms: a straight line in Vm through the weighted mean 3.66754 at Vm = 1.5
  //   with slope Ctm(4) - Ctm(1) per m/s: 3.790, 3.668, 3.668, 3.545;
  // - runs 3..4, 1 term: the mean of runs 3 and 4, 3.586; runs 1..4, 1 term: 3.668;
  // - runs 2..4, 2 terms: runs 2 and 3 share Vm 1.5, so the line passes through their
  //   weighted mean (0.5·3.70844 + 3.49030) / 1.5 = 3.563 and through run 4.
  const std::vector<std::string> measured{"3.927", "3.708", "3.490", "3.681"};
  const auto [many, manyCtmS] = ModelFile(40, 0.1);
  const auto [fast, fastCtmS] = ModelFile(12, 0.2);  // no run in 0.1 < Fn < 0.2
  const std::string accept = "0.1\n\n0.3\n\n0.5\n\n0.8\n\n\n";
  const std::string munk = "\r\n\r\nT. MUNK WAVE RESISTANCE APROACH HAS BEEN USED\r\nD(1)= ";
  const std::string plausible = munk + "0.100 : D(2)= 0.300 : D(3)= 0.500 : D(4)= 0.800\r\n";
  const std::string zeros = munk + "0.000 : D(2)= 0.000 : D(3)= 0.000 : D(4)= 0.000\r\n";
  // Seven runs at five speeds, Rtm 1 kg: Ctm = 9806.65 / (0.5·999.0·4.2·Vm²) for Vm = 1.0 .. 1.8.
  const std::string fiveSpeeds = DataFile("1 1.0\n1 1.0\n1 1.2\n1 1.4\n1 1.6\n1 1.8\n1 1.8\n");
  const std::vector<std::string> fiveCtmS{"4.675", "4.675", "3.246", "2.385",
                                          "1.826", "1.443", "1.443"};
  const struct {
    std::string answers;
    std::vector<std::string> CtmS;
    std::vector<std::string> shown{};  // in the terminal's output
    std::string block{};               // the report's end after the gravity line
    std::string data = TestData("small_KAVREL_BAS.DAT");
  } cases[]{
      {"N\n1\n1\n0\n2\nY\nY\n", {"3.790", "3.668", "3.668", "3.545"}},              // whole range
      {"N\n1\n3\n4\n1\n\n\n", {"3.927", "3.708", "3.586", "3.586"}},                // partial range
      {"N\n1\n1\n0\n1\nn\n3\n4\n1\nY\nY\n", {"3.668", "3.668", "3.586", "3.586"}},  // refused fit
      // A refused calculation starts again from the measured values, also for order 0.
      {"N\n1\n1\n0\n1\nY\nN\n3\n4\n1\nY\nY\n", {"3.927", "3.708", "3.586", "3.586"}},
      {"N\n1\n1\n0\n1\nY\nn\n1\n0\n0\n", measured},
      // Refused: NS "x" and 40000; the ranges 5..4, 3..2 and 0..4; orders 21, -1 and 4 (two Fn in
      // 2..4).
      {"N\n1\nx\n40000\n5\n4\n3\n2\n0\n4\n 1.5 \n4\n21\n-1\n4\n1.5\nY\nY\n",
       {"3.927", "3.563", "3.563", "3.681"},
       {"\"x\" is not a number", "\"40000\" is not a whole number from -32768 to 32767", "NS = 5",
        "1 <= NS <= ND <= 4", "NS = 3 to ND = 2", "NS = 0", "order 21", "order -1", "order 4",
        "from 1 to 2"}},
      {"N\n1\n", {}, {"There are no runs to smooth"}, "", DataFile("")},
      {"N\n2\n" + accept, manyCtmS, {}, plausible, many},  // four accepted tries, 40 runs
      {"N\n3\n" + accept, fastCtmS, {}, "", fast},         // answer 3: no Munk block
      {"N\n2\n", fiveCtmS, {"needs at least 6 runs", "7 runs at 5 speeds"}, zeros, fiveSpeeds},
  };
  const std::string gravity = " ACCELERATION OF GRAVITY --- g =  9.80665 m/sn2\r\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answers);
    TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", c.data);
    const auto run = RunKavrel(folder.Path(), c.answers);
    ASSERT_EQ(run.status, 0) << run.err;
    std::string all = folder.Read("KAVREL.OUT");
    std::istringstream report(all);
    std::string line;
    std::vector<std::string> CtmS;  // the run table's column, after two heading lines
    for (int n = 0; CtmS.size() < c.CtmS.size() && std::getline(report, line); ++n)
      if (n >= 2) CtmS.push_back(line.substr(43, 5));
    EXPECT_EQ(CtmS, c.CtmS);
    EXPECT_EQ(all.substr(all.find(gravity) + gravity.size()), c.block);
    for (const auto& text : c.shown)
      EXPECT_NE((run.out + run.err).find(text), std::string::npos) << text;
    all += run.out + run.err + folder.Read("KAVREL_COEFFICIENTS.svg") +
           folder.Read("KAVREL_FORM_FACTOR_RAW.svg") +
           folder.Read("KAVREL_FORM_FACTOR_SMOOTHED.svg");
    EXPECT_FALSE(std::regex_search(all, std::regex("nan|inf", std::regex::icase)));
  }
}

// The terminal lists the runs, numbered by speed as the report numbers them, before the
// smoothing questions, and ends with the form factor (1+k) from the measured and the smoothed
// values.
TEST(SmoothingRun, TheTerminalListsTheRunsAndEndsWithTheFormFactor) {
  // The small test: Fn = Vm / sqrt(9.80665 * 5) for Vm 1.0, 1.5, 1.5, 2.0 is 0.143, 0.214,
  // 0.214, 0.286; Ctm as worked out above. One run in 0.1 < Fn < 0.2: no (1+k).
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
  auto run = RunKavrel(folder.Path(), "N\n1\n1\n0\n2\nY\nY\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string list =
      "  NO    Fn      Ctm\n"
      "               *1000\n"
      "   1   0.143    3.927\n"
      "   2   0.214    3.708\n"
      "   3   0.214    3.490\n"
      "   4   0.286    3.681\n";
  ASSERT_NE(run.out.find(list), std::string::npos) << run.out;
  EXPECT_LT(run.out.find(list), run.out.find("[smoothing type entry]"));
  const std::string notFound = "not found (at least two runs with 0.1 < Fn < 0.2 are needed)\n";
  EXPECT_NE(run.out.find("KAVREL.OUT\nForm factor (1+k), raw data: " + notFound +
                         "Form factor (1+k), smoothed data: " + notFound),
            std::string::npos)
      << run.out;

  // Runs made on the Prohaska line Ctm = 1.2 Cfm + 0.004 Fn^4 (Cfm on the ITTC-1957 line at
  // 15 degrees, Nue 1.13902e-6 m2/s, Rho 999.0 kg/m3): its intercept (1+k) is 1.2. Order 0
  // keeps the measured values, so the smoothed (1+k) is the same.
  std::string runs;
  char line[80];
  for (const double Fn : {0.11, 0.13, 0.15, 0.17, 0.19, 0.25}) {
    const double Vm = Fn * std::sqrt(9.80665 * 5);
    const double Cfm = 0.075 / std::pow(std::log10(Vm * 5 / 1.13902e-6) - 2, 2);
    const double Ctm = 1.2 * Cfm + 0.004 * std::pow(Fn, 4);
    std::snprintf(line, sizeof line, "%.12g %.12g\n", Ctm * 0.5 * 999.0 * Vm * Vm * 4.2 / 9.80665,
                  Vm);
    runs += line;
  }
  folder.Write("KAVREL_BAS.DAT", DataFile(runs));
  run = RunKavrel(folder.Path(), "N\n1\n1\n0\n0\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("KAVREL.OUT\nForm factor (1+k), raw data: 1.200\n"
                         "Form factor (1+k), smoothed data: 1.200\n"),
            std::string::npos)
      << run.out;
}

}  // namespace
}  // namespace kavrel::test
