// Fresh-water properties read off the tables by the spline interpolation: values worked out by
// hand (the cubic through the points, the straight line shrunk by the 1e-6 divisor constants),
// the flat-segment and range rules, and the table rows.
#include "water/WaterProperties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "water/Interpolation.h"

namespace kavrel {
namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

// How closely a worked value holds: exactly (an end knot, a flat interval, a table row at the
// end); to half a unit of its last written decimal; to rounding (a formula of the divisor
// constants); or, for values worked out without those constants, to their effect.
constexpr double Exactly = 0;
constexpr double Rounding = 1e-12;
constexpr double DivisorConstants = 1e-5;
double Decimals(int n) {
  return 0.5 * std::pow(10.0, -n);
}

// With four or fewer knots the not-a-knot spline is the interpolating polynomial, so the cubic,
// the parabola and the lines come back up to the divisor constants. For the line 1, 3, 5, 7
// the constants shrink the slopes to first order: 3.5 - 0.421875e-6 + 0.65625 * 5e-8 at 1.25,
// and 2 (1 - 1e-6) across a whole piece.
TEST(Interpolate, WorkedValues) {
  const std::vector<double> knots4 = {0, 1, 2, 3}, line = {1, 3, 5, 7}, step = {0, 1, 1, 5};
  const std::vector<double> cube = {0, 1, 2, 3, 4}, cubeY = {0, 1, 8, 27, 64};
  const struct {
    const char* what;
    std::vector<double> X, Y;
    double XP, expected, tolerance;
  } cases[] = {
      {"x^3 inside", cube, cubeY, 2.5, 15.62499, Decimals(5)},
      {"x^3 first piece", cube, cubeY, 0.5, 0.1249998, Decimals(7)},
      {"x^3 last knot", cube, cubeY, 4, 64, Exactly},
      {"line", knots4, line, 1.25, 3.4999996, Decimals(7)},
      {"line, interior knot from the left piece", knots4, line, 1, 2.99999800, Decimals(8)},
      {"line last knot", knots4, line, 3, 7, Exactly},
      {"two points", {0, 2}, {1, 5}, 0.5, 1 + 1 / (1 + 5e-7), Rounding},
      {"three points: parabola", {0, 1, 2}, {0, 1, 4}, 0.5, 0.25, DivisorConstants},
      {"three points: parabola", {0, 1, 2}, {0, 1, 4}, 1.5, 2.25, DivisorConstants},
      {"flat interval, up to its end", knots4, step, 1.999999, 1, Exactly},
      {"interior knot takes the flat interval to its right", knots4, step, 1, 1, Exactly},
      {"interior knot after a flat interval: spline", knots4, step, 2, 1, DivisorConstants},
      {"difference below 1e-5 is flat", knots4, {0, 1, 1.000009, 5}, 1.5, 1, Exactly},
      // the cubic through (0,0) (1,1) (2,1.00002) (3,5) at 1.5: 0.8125 + 0.5625 * 2e-5
      {"difference above 1e-5 is not flat",
       knots4,
       {0, 1, 1.00002, 5},
       1.5,
       0.8125113,
       DivisorConstants},
      {"flat last interval holds the last knot", {0, 1, 2}, {0, 1, 1}, 2, 1, Exactly},
  };
  for (const auto& c : cases) {
    double YP = -99;
    ASSERT_TRUE(Interpolate(c.X, c.Y, c.XP, YP)) << c.what;
    EXPECT_NEAR(YP, c.expected, c.tolerance) << c.what << " at " << c.XP;
  }
  // Outside the table, NaN, fewer than two points, sizes that differ: nothing read.
  const struct {
    std::vector<double> X, Y;
    double XP;
  } refused[] = {{knots4, line, -1e-12},
                 {knots4, line, 3 + 1e-12},
                 {knots4, line, NaN},
                 {{0}, {1}, 0},
                 {knots4, {1, 3, 5}, 1}};
  for (const auto& c : refused) {
    double YP = 42;
    EXPECT_FALSE(Interpolate(c.X, c.Y, c.XP, YP) || YP != 42) << c.XP;
  }
}

TEST(WaterProperties, TableRowsAndWorkedValues) {
  // Nue is given x 10^6 as in the table. An interior table row holds only to a relative 1e-7,
  // as the spline meets it only approximately.
  constexpr double InteriorRow = 1e-7, Unchecked = std::numeric_limits<double>::infinity();
  const struct {
    double T, NueE6, NueTolerance, Rho, RhoTolerance;
  } cases[] = {
      {0, 1.78667, Exactly, 999.8, Exactly},   // first row; 0-1 degrees flat
      {30, 0.80091, Exactly, 995.6, Exactly},  // last row
      {15, 1.13902, 1.13902 * InteriorRow, 999.0, 999.0 * InteriorRow},  // interior row
      {0.5, 1.75645, Decimals(5), 999.8, Exactly},                       // density flat
      {3.5, 0, Unchecked, 999.9, Exactly},                               // density flat 3-4 degrees
      {1, 1.72701, 1.72701 * InteriorRow, 999.8, 999.8 * InteriorRow},   // 1-2 not flat: spline
      {15.5, 1.12418, Decimals(5), 998.9606, Decimals(4)},
  };
  for (const auto& c : cases) {
    double Nue = -1, Rho = -1;
    ASSERT_TRUE(WaterProperties(c.T, Nue, Rho)) << c.T;
    EXPECT_NEAR(Nue * 1e6, c.NueE6, c.NueTolerance) << c.T;
    EXPECT_NEAR(Rho, c.Rho, c.RhoTolerance) << c.T;
  }
  // Outside the tables: nothing read, Nue and Rho as they were.
  for (double T : {-1.0, 31.0, -1e-9, 30.000001, NaN, std::numeric_limits<double>::infinity()}) {
    double Nue = 7, Rho = 8;
    EXPECT_FALSE(WaterProperties(T, Nue, Rho) || Nue != 7 || Rho != 8) << T;
  }
}

}  // namespace
}  // namespace kavrel
