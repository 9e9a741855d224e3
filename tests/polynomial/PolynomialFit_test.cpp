// The orthogonal-polynomial least-squares fit against hand-worked and exact rational values.
// Whole dialogues are cases in tests/cases (polynomial_*, prohaska_line_fitted).
#include "polynomial/PolynomialFit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kavrel {
namespace {

// Values of order 1 to 60 computed in a few dozen operations: rounding stays far below this.
constexpr double Rounding = 1e-9;

// Weighted least squares with half weight at both ends, worked out by hand or in exact
// rational arithmetic through the normal equations.
TEST(PolynomialFit, GivesTheWeightedLeastSquaresValues) {
  std::vector<double> X100, Y100;  // 100 points on a parabola: no 40-point limit
  for (int i = 0; i < 100; ++i) X100.push_back(0.1 + 0.003 * i);
  for (double x : X100) Y100.push_back(3 - 20 * x + 60 * x * x);
  const struct {
    std::vector<double> X, Y;
    int Order;
    std::vector<double> expected;
  } cases[]{
      {{0.1, 0.7, 2.0, 2.5}, {1, 2, 3, 10}, 1, {3.5, 3.5, 3.5, 3.5}},  // weighted mean, not 4
      {{0, 1, 2, 3}, {0, 0, 0, 3}, 2, {-8.0 / 11, 1.0 / 11, 10.0 / 11, 19.0 / 11}},
      {{0, 1, 2, 3}, {0, 0, 0, 3}, 3, {3.0 / 11, -4.5 / 11, 4.5 / 11, 30.0 / 11}},
      {{0, 1, 2, 3}, {0, 0, 0, 3}, 4, {0, 0, 0, 3}},  // Order = M reproduces the points
      {{1, 2, 3, 4, 5}, {1, 4, 9, 16, 25}, 3, {1, 4, 9, 16, 25}},  // degree Order - 1
      {{0.3}, {4.2}, 1, {4.2}},
      {X100, Y100, 3, Y100},
  };
  for (const auto& c : cases) {
    std::vector<double> Y = c.Y;
    ASSERT_TRUE(PolynomialFit(c.X, Y, c.Order)) << c.Order;
    for (std::size_t i = 0; i < Y.size(); ++i) EXPECT_NEAR(Y[i], c.expected[i], Rounding) << i;
  }
}

TEST(PolynomialFit, RefusesWhatItCannotFitAndLeavesYAlone) {
  const struct {
    std::vector<double> X, Y;
    int Order;
  } cases[]{
      {{}, {}, 1},                                // no points
      {{1, 2, 3}, {1, 2, 3}, 0},                  // Order < 1
      {{1, 1, 2, 2}, {1, 2, 3, 4}, 3},            // a zero square sum: two distinct abscissae
      {{1, 2, 3}, {1, 2}, 1},                     // sizes differ
      {{1, 2, 3}, {1e308, 1.5e308, 1.7e308}, 1},  // the weighted sum overflows
      {{0, 1e200, 2e200}, {1, 2, 3}, 3},          // a square sum overflows
      {{1, NAN, 3}, {1, 2, 3}, 1},
  };
  for (const auto& c : cases) {
    std::vector<double> Y = c.Y;
    EXPECT_FALSE(PolynomialFit(c.X, Y, c.Order)) << c.X.size() << " points, order " << c.Order;
    EXPECT_EQ(Y, c.Y);
    EXPECT_FALSE(OrthogonalCoefficients(c.X, c.Y, c.Order));
  }
}

TEST(OrthogonalValue, SumsTheSeriesBetweenThePoints) {
  // Four terms through four points of a cubic: the series is the cubic everywhere.
  const auto cubic = [](double x) { return 2 - x + 0.5 * x * x * x; };
  const std::vector<double> X{0, 1, 2, 4}, Y{cubic(0), cubic(1), cubic(2), cubic(4)};
  const auto series = OrthogonalCoefficients(X, Y, 4);
  ASSERT_TRUE(series);
  for (double x : {-1.0, 0.5, 3.0, 5.0})
    EXPECT_NEAR(OrthogonalValue(x, *series), cubic(x), Rounding);
}

}  // namespace
}  // namespace kavrel
