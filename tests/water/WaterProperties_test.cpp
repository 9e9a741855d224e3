// Fresh-water properties against the table values and worked interpolated values.
#include "water/WaterProperties.h"

#include <gtest/gtest.h>

#include <limits>

namespace kavrel {
namespace {

TEST(WaterProperties, WorkedValues) {
  // Nue is given x 10^6 as in the table (0: not checked). Tolerances: 0 means exactly;
  // otherwise half a unit of the last digit given, or a relative 1e-7 at an interior
  // table row, which the spline meets only approximately.
  const struct {
    double T, NueE6, NueTolerance, Rho, RhoTolerance;
  } cases[] = {
      {0, 1.78667, 0, 999.8, 0},                 // first row; 0-1 degrees flat
      {30, 0.80091, 0, 995.6, 0},                // last row
      {15, 1.13902, 1.13902e-7, 999.0, 999e-7},  // interior row
      {0.5, 1.75645, 5e-6, 999.8, 0},            // density flat
      {3.5, 0, 0, 999.9, 0},                     // density flat 3-4 degrees
      {1, 0, 0, 999.8, 1e-6},                    // 1-2 not flat: spline
      {15.5, 1.12418, 5e-6, 998.9606, 5e-5},
  };
  for (const auto& c : cases) {
    double Nue = -1, Rho = -1;
    ASSERT_TRUE(WaterProperties(c.T, Nue, Rho)) << c.T;
    if (c.NueTolerance > 0) {
      EXPECT_NEAR(Nue * 1e6, c.NueE6, c.NueTolerance) << c.T;
    } else if (c.NueE6 > 0) {
      EXPECT_EQ(Nue, c.NueE6 / 1000000) << c.T;
    }
    EXPECT_NEAR(Rho, c.Rho, c.RhoTolerance) << c.T;
  }
}

TEST(WaterProperties, RefusesTemperaturesOutsideTheTables) {
  for (double T : {-1.0, 31.0, -1e-9, 30.000001, std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::infinity()}) {
    double Nue = 7, Rho = 8;
    EXPECT_FALSE(WaterProperties(T, Nue, Rho)) << T;
    EXPECT_EQ(Nue, 7) << T;
    EXPECT_EQ(Rho, 8) << T;
  }
}

}  // namespace
}  // namespace kavrel
