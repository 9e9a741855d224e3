// Coefficients of the ITTC-1957 line and the temperature conversion, against a run
// worked out by hand.
#include "analysis/Coefficients.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kavrel {
namespace {

// The values worked out by hand carry five significant digits: they hold to half a unit of
// the fifth.
void ExpectFiveDigits(double value, double expected) {
  const double halfUnitOfTheFifth = 0.5 * std::pow(10.0, std::floor(std::log10(expected)) - 4);
  EXPECT_NEAR(value, expected, halfUnitOfTheFifth);
}

// Vm 2 m/s, Rtm 3 kg, Lwl 5 m, Sw 4 m2, Rho 999.1 kg/m3, Nue 1.1386e-6 m2/s; converted to
// Rho 998.2 kg/m3, Nue 1.0034e-6 m2/s.
TEST(Coefficients, WorkedRunAtTheTestTemperatureAndConverted) {
  const std::vector<double> Vm{2};
  std::vector<double> Rtm{3};
  RunCoefficients runs = ComputeCoefficients(Vm, Rtm, 4, 5, 999.1, 1.1386e-6);
  ExpectFiveDigits(runs.Rnm[0], 8.7827e6);
  ExpectFiveDigits(runs.Fn[0], 0.28562);
  ExpectFiveDigits(runs.Ctm[0], 0.0036808);
  ExpectFiveDigits(runs.Cfm[0], 0.0030688);
  EXPECT_EQ(runs.CtmS, runs.Ctm);

  const RunCoefficients before = runs;
  ConvertTemperature(runs, Rtm, Vm, 4, 5, 998.2, 1.0034e-6);
  ExpectFiveDigits(runs.Cfm[0], 0.0030018);
  ExpectFiveDigits(runs.Ctm[0], 0.0036138);
  ExpectFiveDigits(Rtm[0], 2.9427);
  EXPECT_EQ(runs.CtmS, runs.Ctm);
  EXPECT_EQ(runs.Fn, before.Fn);  // Fn and Rnm stay at the test temperature
  EXPECT_EQ(runs.Rnm, before.Rnm);
}

}  // namespace
}  // namespace kavrel
