// The wave-resistance fit: its design matrix, recovery of known coefficients, unusable fits.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "munk/MunkSmoothing.h"
#include "tests/munk/MunkTestData.h"

namespace kavrel {
namespace {

using testing::MakeModelTest;
using testing::PlausibleD;
using testing::PlausibleX;

TEST(MunkDesignMatrix, RowOfOneRun) {
  const std::vector<double> Fn{0.25, 0.0};
  const std::vector<double> Cfm{3.5, 4.0};
  Matrix A;
  MunkDesignMatrix(Cfm, Fn, {0.5, 0, 0, 0}, A);
  ASSERT_EQ(A.Rows(), 2u);
  ASSERT_EQ(A.Cols(), 6u);
  EXPECT_DOUBLE_EQ(A(0, 0), 0.0035);
  EXPECT_DOUBLE_EQ(A(0, 1), 0.00390625);
  EXPECT_NEAR(A(0, 2), -0.00056836, 5e-9);  // 0.25^4 cos(8 rad)
  // A D of 0 gives cos 0 = 1: the column repeats Fn^4.
  for (int j = 3; j < 6; ++j) EXPECT_DOUBLE_EQ(A(0, j), 0.00390625);
  // At Fn 0 the cosine terms take their limit 0 instead of cos(D / 0).
  const std::vector<double> atRest{0.004, 0, 0, 0, 0, 0};
  for (int j = 0; j < 6; ++j) EXPECT_EQ(A(1, j), atRest[j]) << j;
}

TEST(MunkFit, RecoversTheModelsCoefficients) {
  struct Case {
    int t;
    std::size_t runs;
    double FnLow, FnHigh;
  };
  for (const Case c : {Case{1, 8, 0.1, 0.4}, Case{2, 12, 0.12, 0.35}, Case{3, 25, 0.1, 0.45},
                       Case{4, 12, 0.1, 0.4}, Case{4, 99, 0.08, 0.45}}) {
    SCOPED_TRACE(::testing::Message() << "try " << c.t << ", " << c.runs << " runs");
    // The model of try t: D and X beyond it are 0.
    MunkParameters D{};
    std::array<double, 6> X{PlausibleX[0], PlausibleX[1]};
    for (int j = 0; j < c.t; ++j) {
      D[j] = PlausibleD[j];
      X[2 + j] = PlausibleX[2 + j];
    }
    const auto test = MakeModelTest(c.runs, c.FnLow, c.FnHigh, X, D, 0.05, c.t + 2);
    std::vector<double> CtmS = test.Ctm;
    MunkFit fit(test.Cfm, test.Ctm, test.Fn);
    ASSERT_EQ(fit.Try(D, c.t, CtmS), MunkFitOutcome::Fitted);
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(fit.X()[i], X[i], 1e-7 + 1e-6 * std::abs(X[i])) << i;
    for (std::size_t I = 0; I < c.runs; ++I) EXPECT_NEAR(CtmS[I], test.model[I], 1e-9) << I;
  }
}

TEST(MunkFit, UnusableFitsChangeNothing) {
  const auto test = MakeModelTest(12, 0.1, 0.4, PlausibleX, PlausibleD);
  MunkFit fit(test.Cfm, test.Ctm, test.Fn);
  std::vector<double> CtmS = test.Ctm;
  ASSERT_EQ(fit.Try({0.1, 0, 0, 0}, 1, CtmS), MunkFitOutcome::Fitted);
  const auto X = fit.X();
  const auto fitted = CtmS;
  ASSERT_NE(fitted, test.Ctm);

  struct Case {
    const char* name;
    MunkParameters D;
    int t;
    MunkFitOutcome outcome;
  };
  for (const Case& c :
       {Case{"D of 0 repeats the Fn^4 column", {0, 0, 0, 0}, 1, MunkFitOutcome::Singular},
        Case{"equal D values", {0.1, 0.1, 0, 0}, 2, MunkFitOutcome::Singular},
        Case{"D of opposite sign, same cosine", {0.1, 0.3, -0.3, 0}, 3, MunkFitOutcome::Singular},
        Case{"D / Fn^2 beyond a double", {1e307, 0, 0, 0}, 1, MunkFitOutcome::NotFinite}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fit.Try(c.D, c.t, CtmS), c.outcome);
    EXPECT_EQ(CtmS, fitted);
    EXPECT_EQ(fit.X(), X);
  }
}

}  // namespace
}  // namespace kavrel
