// Coefficients of the ITTC-1957 line and the temperature conversion, against a run
// worked out by hand.
#include <gtest/gtest.h>

#include <vector>

#include "analysis/Coefficients.h"

namespace kavrel {
namespace {

// Vm 2 m/s, Rtm 3 kg, Lwl 5 m, Sw 4 m2, Rho 999.1 kg/m3, Nue 1.1386e-6 m2/s.
TEST(Coefficients, WorkedRunAtTheTestTemperatureAndConverted) {
  const std::vector<double> Vm{2};
  std::vector<double> Rtm{3};
  RunCoefficients runs = ComputeCoefficients(Vm, Rtm, 4, 5, 999.1, 1.1386e-6);
  EXPECT_NEAR(runs.Rnm[0], 8.7827e6, 0.0001e6);
  EXPECT_NEAR(runs.Fn[0], 0.28562, 0.000005);
  EXPECT_NEAR(runs.Ctm[0], 0.0036808, 0.00000005);
  EXPECT_EQ(runs.CtmS[0], runs.Ctm[0]);
  EXPECT_NEAR(runs.Cfm[0], 0.0030688, 0.00000005);

  const double Fn = runs.Fn[0];
  const double Rnm = runs.Rnm[0];
  ConvertTemperature(runs, Rtm, Vm, 4, 5, 998.2, 1.0034e-6);
  EXPECT_NEAR(runs.Cfm[0], 0.0030018, 0.00000005);
  EXPECT_NEAR(runs.Ctm[0], 0.0036138, 0.00000005);
  EXPECT_EQ(runs.CtmS[0], runs.Ctm[0]);
  EXPECT_NEAR(Rtm[0], 2.9427, 0.00005);
  EXPECT_EQ(runs.Fn[0], Fn);
  EXPECT_EQ(runs.Rnm[0], Rnm);
}

}  // namespace
}  // namespace kavrel
