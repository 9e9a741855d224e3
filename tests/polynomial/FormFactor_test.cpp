// The form-factor points of the slow runs and the straight line through them.
#include "polynomial/FormFactor.h"

#include <gtest/gtest.h>

#include <vector>

namespace kavrel {
namespace {

TEST(FormFactorPoints, TakesTheRunsStrictlyBetweenFn01And02) {
  const std::vector<double> Fn{0.1, 0.1000001, 0.15, 0.1999999, 0.2, 0.25};
  const std::vector<double> Ctm{4.0, 4.0, 4.2, 4.0, 4.0, 4.0};
  const std::vector<double> Cfm{3.5, 3.5, 3.5, 3.5, 3.5, 3.5};
  const auto points = FormFactorPoints(Fn, Ctm, Cfm);
  ASSERT_EQ(points.x.size(), 3u);
  ASSERT_EQ(points.y.size(), 3u);
  // 0.15^4 / 0.0035 = 0.00050625 / 0.0035; 4.2 / 3.5 = 1.2.
  EXPECT_NEAR(points.x[1], 0.144642857, 1e-9);
  EXPECT_NEAR(points.y[1], 1.2, 1e-12);
  EXPECT_NEAR(points.y[0], 4.0 / 3.5, 1e-12);
}

TEST(FormFactorPoints, LeavesOutARunWithoutFrictionCoefficient) {
  const std::vector<double> Fn{0.12, 0.15, 0.18};
  const std::vector<double> Ctm{4.0, 4.2, 4.1};
  const std::vector<double> Cfm{3.6, 0.0, 3.4};
  const auto points = FormFactorPoints(Fn, Ctm, Cfm);
  EXPECT_EQ(points.x.size(), 2u);
  EXPECT_EQ(points.y.size(), 2u);
}

TEST(LineFit, FindsSlopeAndIntercept) {
  const std::vector<double> x{0.1, 0.2, 0.3};
  const std::vector<double> y{1.2, 1.3, 1.4};
  const auto line = LineFit(x, y);
  ASSERT_TRUE(line);
  EXPECT_NEAR(line->Slope, 1.0, 1e-12);
  EXPECT_NEAR(line->Intercept, 1.1, 1e-12);
}

TEST(LineFit, IsUndefinedWithoutTwoDifferentAbscissae) {
  struct Case {
    const char* name;
    std::vector<double> x;
    std::vector<double> y;
  };
  const std::vector<Case> cases{
      {"no points", {}, {}},
      {"one point", {0.14}, {1.2}},
      {"equal abscissae", {0.1, 0.1, 0.1}, {1.1, 1.2, 1.3}},
      {"sizes differ", {0.1, 0.2}, {1.1}},
  };
  for (const auto& c : cases) EXPECT_FALSE(LineFit(c.x, c.y)) << c.name;
}

}  // namespace
}  // namespace kavrel
