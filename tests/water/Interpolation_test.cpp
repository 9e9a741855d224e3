// Spline interpolation: values worked out by hand (the cubic through the points, the
// straight line shrunk by the 1e-6 divisor constants), the flat-segment and range rules.
#include "water/Interpolation.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace kavrel {
namespace {

struct Case {
  const char* what;
  std::vector<double> X, Y;
  double XP;
  double expected;
  double tolerance;  // 0: exactly
};

// With four or fewer knots the not-a-knot spline is the interpolating polynomial, so
// the cubic, the parabola and the lines come back up to the divisor constants. For the
// line 1, 3, 5, 7 the constants shrink the slopes to first order: 3.5 - 0.421875e-6 +
// 0.65625 * 5e-8 at 1.25, and 2 (1 - 1e-6) across a whole piece.
TEST(Interpolate, WorkedValues) {
  const std::vector<double> knots4 = {0, 1, 2, 3};
  const std::vector<double> cube = {0, 1, 2, 3, 4}, cubeY = {0, 1, 8, 27, 64};
  const std::vector<double> line = {1, 3, 5, 7};
  const std::vector<double> step = {0, 1, 1, 5};
  const Case cases[] = {
      {"x^3 inside", cube, cubeY, 2.5, 15.62499, 5e-6},
      {"x^3 first piece", cube, cubeY, 0.5, 0.1249998, 5e-8},
      {"x^3 last knot", cube, cubeY, 4, 64, 0},
      {"line", knots4, line, 1.25, 3.4999996, 5e-8},
      {"line, interior knot from the left piece", knots4, line, 1, 2.999998, 5e-9},
      {"line last knot", knots4, line, 3, 7, 0},
      {"two points", {0, 2}, {1, 5}, 0.5, 1 + 1 / (1 + 5e-7), 1e-12},
      {"three points: parabola", {0, 1, 2}, {0, 1, 4}, 0.5, 0.25, 1e-5},
      {"three points: parabola", {0, 1, 2}, {0, 1, 4}, 1.5, 2.25, 1e-5},
      {"flat interval, up to its end", knots4, step, 1.999999, 1, 0},
      {"interior knot takes the flat interval to its right", knots4, step, 1, 1, 0},
      {"interior knot after a flat interval: spline", knots4, step, 2, 1, 1e-5},
      {"difference below 1e-5 is flat", knots4, {0, 1, 1.000009, 5}, 1.5, 1, 0},
      // the cubic through (0,0) (1,1) (2,1.00002) (3,5) at 1.5: 0.8125 + 0.5625 * 2e-5
      {"difference above 1e-5 is not flat", knots4, {0, 1, 1.00002, 5}, 1.5, 0.8125113, 1e-5},
      {"flat last interval holds the last knot", {0, 1, 2}, {0, 1, 1}, 2, 1, 0},
  };
  for (const Case& c : cases) {
    double YP = -99;
    ASSERT_TRUE(Interpolate(c.X, c.Y, c.XP, YP)) << c.what;
    EXPECT_NEAR(YP, c.expected, c.tolerance) << c.what << " at " << c.XP;
  }
}

TEST(Interpolate, RefusesWhatItCannotRead) {
  const std::vector<double> X = {0, 1, 2, 3}, Y = {1, 3, 5, 7};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    std::vector<double> X, Y;
    double XP;
  } cases[] = {
      {X, Y, -1e-12}, {X, Y, 3 + 1e-12}, {X, Y, nan}, {{0}, {1}, 0}, {X, {1, 3, 5}, 1},
  };
  for (const auto& c : cases) {
    double YP = 42;
    EXPECT_FALSE(Interpolate(c.X, c.Y, c.XP, YP)) << c.XP;
    EXPECT_EQ(YP, 42) << c.XP;
  }
}

}  // namespace
}  // namespace kavrel
