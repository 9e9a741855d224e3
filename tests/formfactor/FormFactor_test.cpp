// The form-factor points of the slow runs and the straight line through them.
#include "formfactor/FormFactor.h"

#include <gtest/gtest.h>

#include <vector>

namespace kavrel {
namespace {

// Quotients and sums of a few values of order 1: their rounding stays far below this.
constexpr double Rounding = 1e-12;

TEST(FormFactorPoints, TakesTheRunsStrictlyBetweenFn01And02WithAFrictionCoefficient) {
  const std::vector<double> Fn{0.1, 0.1000001, 0.15, 0.18, 0.1999999, 0.2, 0.25};
  const std::vector<double> Ctm{4.0, 4.0, 4.2, 4.1, 4.0, 4.0, 4.0};
  const std::vector<double> Cfm{3.5, 3.5, 3.5, 0.0, 3.5, 3.5, 3.5};
  const auto points = FormFactorPoints(Fn, Ctm, Cfm);
  ASSERT_EQ(points.x.size(), 3u);
  ASSERT_EQ(points.y.size(), 3u);
  EXPECT_NEAR(points.x[1], 0.00050625 / 0.0035, Rounding);  // 0.15^4 / 0.0035
  EXPECT_NEAR(points.y[1], 1.2, Rounding);                  // 4.2 / 3.5
  EXPECT_NEAR(points.y[2], 4.0 / 3.5, Rounding);
}

TEST(LineFit, FindsSlopeAndInterceptOrNothing) {
  const auto line = LineFit(std::vector<double>{0.1, 0.2, 0.3}, std::vector<double>{1.2, 1.3, 1.4});
  ASSERT_TRUE(line);
  EXPECT_NEAR(line->Slope, 1.0, Rounding);
  EXPECT_NEAR(line->Intercept, 1.1, Rounding);
  // No points, one point, equal abscissae, sizes that differ: the line is undefined.
  const std::vector<std::vector<double>> x{{}, {0.14}, {0.1, 0.1, 0.1}, {0.1, 0.2}};
  const std::vector<std::vector<double>> y{{}, {1.2}, {1.1, 1.2, 1.3}, {1.1}};
  for (std::size_t i = 0; i < x.size(); ++i) EXPECT_FALSE(LineFit(x[i], y[i])) << i;
}

}  // namespace
}  // namespace kavrel
