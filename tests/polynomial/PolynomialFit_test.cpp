// The orthogonal-polynomial least-squares fit against hand-worked and exact rational values.
#include "polynomial/PolynomialFit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kavrel {
namespace {

struct KnownFit {
  const char* name;
  std::vector<double> X;
  std::vector<double> Y;
  int Order;
  std::vector<double> expected;
  double tolerance;
};

// Expected values: weighted least squares with half weight at both ends, worked out by
// hand or in exact rational arithmetic through the normal equations.
TEST(PolynomialFit, GivesTheWeightedLeastSquaresValues) {
  const std::vector<KnownFit> cases{
      {"order 1 is the weighted mean",
       {0.1, 0.7, 2.0, 2.5},
       {1, 2, 3, 10},
       1,
       {3.5, 3.5, 3.5, 3.5},
       1e-12},
      {"order 2, a straight line",
       {0, 1, 2, 3},
       {0, 0, 0, 3},
       2,
       {-8.0 / 11, 1.0 / 11, 10.0 / 11, 19.0 / 11},
       1e-12},
      {"order 3, a parabola",
       {0, 1, 2, 3},
       {0, 0, 0, 3},
       3,
       {0.2727272727, -0.4090909091, 0.4090909091, 2.7272727273},
       1e-9},
      {"order = M reproduces the points", {0, 1, 2, 3}, {0, 0, 0, 3}, 4, {0, 0, 0, 3}, 1e-12},
      {"degree Order - 1 comes back unchanged",
       {1, 2, 3, 4, 5},
       {1, 4, 9, 16, 25},
       3,
       {1, 4, 9, 16, 25},
       1e-12},
      {"one point of half weight", {0.3}, {4.2}, 1, {4.2}, 0},
      {"order 5 over Froude numbers",
       {0.10, 0.13, 0.15, 0.18, 0.22, 0.25, 0.29, 0.33, 0.36},
       {4.1, 3.9, 4.0, 4.3, 4.2, 4.8, 5.6, 6.1, 7.4},
       5,
       {4.075498233198, 3.963361859564, 3.987153295047, 4.125517820177, 4.447102896100,
        4.779179447455, 5.383006375847, 6.286733713659, 7.280390951109},
       1e-9},
  };
  for (const auto& c : cases) {
    std::vector<double> Y = c.Y;
    ASSERT_TRUE(PolynomialFit(c.X, Y, c.Order)) << c.name;
    for (std::size_t i = 0; i < Y.size(); ++i) {
      EXPECT_NEAR(Y[i], c.expected[i], c.tolerance) << c.name << ", point " << i + 1;
    }
  }
}

TEST(PolynomialFit, IsSizedToTheData) {
  // 100 points on a parabola: no 40-point limit.
  std::vector<double> X, Y;
  for (int i = 0; i < 100; ++i) {
    X.push_back(0.1 + 0.003 * i);
    Y.push_back(3 - 20 * X.back() + 60 * X.back() * X.back());
  }
  std::vector<double> fitted = Y;
  ASSERT_TRUE(PolynomialFit(X, fitted, 3));
  for (std::size_t i = 0; i < Y.size(); ++i) EXPECT_NEAR(fitted[i], Y[i], 1e-10);
}

TEST(PolynomialFit, RefusesWhatItCannotFit) {
  struct Refused {
    const char* name;
    std::vector<double> X;
    std::vector<double> Y;
    int Order;
  };
  const std::vector<Refused> cases{
      {"no points", {}, {}, 1},
      {"order 0", {1, 2, 3}, {1, 2, 3}, 0},
      {"negative order", {1, 2, 3}, {1, 2, 3}, -2},
      {"more terms than points", {1, 2, 3}, {1, 2, 3}, 4},
      {"more terms than distinct abscissae", {1, 1, 2, 2}, {1, 2, 3, 4}, 3},
      {"sizes differ", {1, 2, 3}, {1, 2}, 1},
      {"a weighted sum overflows", {1, 2, 3}, {1e308, 1.5e308, 1.7e308}, 1},
      {"a square sum overflows", {0, 1e200, 2e200}, {1, 2, 3}, 3},
      {"not a number among the data", {1, NAN, 3}, {1, 2, 3}, 1},
  };
  for (const auto& c : cases) {
    std::vector<double> Y = c.Y;
    EXPECT_FALSE(PolynomialFit(c.X, Y, c.Order)) << c.name;
    EXPECT_EQ(Y, c.Y) << c.name << ": Y must stay as it was";
    EXPECT_FALSE(OrthogonalCoefficients(c.X, c.Y, c.Order)) << c.name;
  }
}

TEST(OrthogonalValue, SumsTheSeriesBetweenThePoints) {
  // A cubic through four points: the series equals it everywhere, not only at the points.
  const auto cubic = [](double x) { return 2 - x + 0.5 * x * x * x; };
  const std::vector<double> X{0, 1, 2, 4};
  std::vector<double> Y;
  for (double x : X) Y.push_back(cubic(x));
  const auto series = OrthogonalCoefficients(X, Y, 4);
  ASSERT_TRUE(series);
  EXPECT_EQ(series->Order(), 4);
  EXPECT_EQ(series->Beta[0], 0.0);
  for (double x : {-1.0, 0.5, 3.0, 5.0}) EXPECT_NEAR(OrthogonalValue(x, *series), cubic(x), 1e-9);
}

}  // namespace
}  // namespace kavrel
