// The wave-resistance smoothing: matrix product and Gauss-Jordan solve worked by hand, the fit's
// design matrix and its recovery of a model, and the dialogue on the scripted front end.
#include "munk/MunkSmoothing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/MunkTestData.h"
#include "tests/support/ScriptedToolkit.h"
#include "text/Faults.h"

namespace kavrel {
namespace {

// A matrix of `cols` columns filled row by row.
Matrix Make(std::size_t cols, const std::vector<double>& values) {
  Matrix m(values.size() / cols, cols);
  for (std::size_t k = 0; k < values.size(); ++k) m(k / cols, k % cols) = values[k];
  return m;
}

TEST(MatMultiply, LeftFactorIsTheSecondMatrix) {
  const Matrix A = Make(3, {1, 2, 3, 4, 5, 6});         // 2 x 3, the right-hand factor
  const Matrix B = Make(2, {1, 0, 0, 1, 1, 1, 2, -1});  // 4 x 2, the left-hand factor
  Matrix P;
  ASSERT_TRUE(MatMultiply(2, 3, A, 4, 2, B, P));
  EXPECT_EQ(P, Make(3, {1, 2, 3, 4, 5, 6, 5, 7, 9, -2, -1, 0}));
  const Matrix before = P;  // three columns of B against two rows of A: refused, P untouched
  EXPECT_FALSE(MatMultiply(2, 3, A, 4, 3, Make(3, std::vector<double>(12, 1)), P));
  EXPECT_EQ(P, before);
}

TEST(MatSolve, Cases) {
  using Result = std::pair<bool, std::vector<double>>;  // finished, and V on return
  const auto solve = [](const std::vector<double>& C, std::vector<double> V) {
    Matrix M = Make(V.size(), C);                // n columns: the solve adds the column for V
    return Result{MatSolve(M, V, V.size()), V};  // braces: solved before V is copied
  };
  EXPECT_EQ(solve({2, 0, 0, 0, 4, 0, 0, 0, 0.5}, {2, 8, 1}), Result(true, {1, 2, 2}));  // diagonal
  EXPECT_EQ(solve({4}, {2}), Result(true, {0.5}));                                      // n = 1
  EXPECT_EQ(solve({0, 1, 1, 0}, {3, 4}), Result(false, {3, 4}));  // first pivot 0, though regular
  EXPECT_EQ(solve({1e-8}, {1}), Result(false, {1}));
  // Not above the tolerance an entry is not eliminated: x2 stays 1 instead of 1 - 1e-9.
  EXPECT_EQ(solve({1, 0, 1e-9, 1}, {1, 1}), Result(true, {1, 1}));
  EXPECT_EQ(solve({1, 0, 2e-8, 1}, {1, 1}), Result(true, {1, 1 - 2e-8}));
}

TEST(MunkFit, DesignMatrixAndRecoveredCoefficients) {
  Matrix A;
  MunkDesignMatrix(std::vector{3.5, 4.0}, std::vector{0.25, 0.0}, {0.5, 0, 0, 0}, A);
  // 0.25^4 = 0.00390625, times cos(0.5 / 0.0625 = 8 rad) in the first cosine column and times
  // cos 0 = 1 in the others; at Fn 0 the cosine terms take their limit 0.
  EXPECT_EQ(A, Make(6, {0.0035, 0.00390625, 0.00390625 * std::cos(8.0), 0.00390625, 0.00390625,
                        0.00390625, 0.004, 0, 0, 0, 0, 0}));
  const auto test = test::ReadModelTest("munk_model_99");
  std::vector<double> CtmS = test.Ctm;
  MunkFit fit(test.Cfm, test.Ctm, test.Fn);
  ASSERT_EQ(fit.Try(test::PlausibleD, 4, CtmS), MunkFitOutcome::Fitted);
  // The scatter is orthogonal to the terms only up to rounding, which the normal equations
  // magnify.
  constexpr double NormalEquationsRounding = 1e-6;
  for (int i = 0; i < 6; ++i)
    EXPECT_NEAR(fit.X()[i], test::PlausibleX[i], NormalEquationsRounding) << i;
}

// What the dialogue held and showed when a question was asked.
struct Snapshot {
  std::vector<double> CtmS;
  MunkParameters D;
  std::vector<std::string> printed;  // on the text window
  std::uint64_t graph;               // the coefficient graph's revision
};

// The dialogue over 12 runs of the model, with a snapshot at every question.
struct Session final : test::ScriptedToolkit {
  test::ModelTest test = test::ReadModelTest("munk_model_12");
  std::vector<double> CtmS = test.Ctm;
  MunkParameters D{};
  std::vector<Snapshot> seen;

  explicit Session(const std::vector<std::string>& answers) : ScriptedToolkit(answers) {
    MunkSmoothing(*this, test.Cfm, CtmS, test.Ctm, test.Fn, D);
    // Every dialogue below ends with these D: the model comes back.
    EXPECT_EQ(D, test::PlausibleD);
    constexpr double Rounding = 1e-9;  // of values about 4 (times 1000)
    for (std::size_t I = 0; I < CtmS.size(); ++I)
      EXPECT_NEAR(CtmS[I], test.model[I], Rounding) << I;
  }
  std::string Ask(const Question& q) override {
    seen.push_back({.CtmS = CtmS,
                    .D = D,
                    .printed = test::PrintedTexts(Window(WindowId::Ekran_Form1)),
                    .graph = Window(WindowId::Kavrel_Form1).Revision()});
    return ScriptedToolkit::Ask(q);
  }
};

TEST(MunkSmoothing, RepeatedTriesUnusableAnswersAndARefusedCalculation) {
  // D(1): not a number, then 0 (singular); try 2 refused, then 0.1 and -0.1 (the cosine of D(1));
  // try 3 refused; the calculation refused; then four accepted tries.
  Session s({"0,1", "",    "0.1", "Y", "0.4", "n", "0.1", "-0.1", "0.3", "y", "0.6", "N",   "0.5",
             "",    "0.9", "",    "n", "0.1", "",  "0.3", "Y",    "0.5", "y", "0.8", "yes", ""});
  ASSERT_EQ(s.questions.size(), 26u);
  ASSERT_EQ(s.messages.size(), 4u);
  const std::string all = s.messages[0] + s.messages[1] + s.messages[2] + s.messages[3];
  for (const char* text : {"\"0,1\"", "D(1)=0 cannot be used", "a D value of 0",
                           "D(2)=0.1 cannot be used", "D(2)=-0.1", "the same cosine term as D(1)"})
    EXPECT_NE(all.find(text), std::string::npos) << text;
  // Nothing fitted before D(1) = 0.1.
  EXPECT_EQ(s.seen[2].CtmS, s.test.Ctm);
  EXPECT_TRUE(s.seen[2].printed.empty());
  // The unusable D(2) leave the values and the pictures as they were.
  const Snapshot &before = s.seen[6], &after = s.seen[8];
  EXPECT_TRUE(after.CtmS == before.CtmS && after.printed == before.printed &&
              after.graph == before.graph);
  EXPECT_EQ(s.seen[9].D, (MunkParameters{0.1, 0.3, 0, 0}));  // try 2 repeated
  EXPECT_EQ(s.seen[17].CtmS, s.test.Ctm);  // the new pass starts from the measured data
  EXPECT_EQ(s.seen[18].D, (MunkParameters{0.1, 0, 0, 0}));  // later D back to 0
  EXPECT_EQ(s.seen[18].printed, std::vector<std::string>{" Try - 1 -> d(1)=  0.100"});
  EXPECT_EQ(s.seen[25].printed.at(3),
            " Try - 4 -> d(1)=  0.100 , d(2)=  0.300 , d(3)=  0.500 , d(4)=  0.800");
}

// Runs no faster than Fn 0.08 leave every D(1) singular: the third refusal in a row says that
// the speeds are the cause and how to stop; a D of 0, whose own fault it is, gets only the way
// to stop.
TEST(MunkSmoothing, TheThirdRefusalInARowSaysHowToStop) {
  const auto slow = test::ReadModelTest("munk_model_slow_8");
  std::vector<double> CtmS = slow.Ctm;
  MunkParameters D{};
  test::ScriptedToolkit ui({"1000", "0.5", "0.7", "0.9"});
  EXPECT_THROW(MunkSmoothing(ui, slow.Cfm, CtmS, slow.Ctm, slow.Fn, D), InputFault);
  ASSERT_EQ(ui.messages.size(), 4U);
  const std::string advice =
      "This test's speeds cannot carry the wave-resistance model: no run is faster than Fn = "
      "0.1. To stop the analysis, end the input; no report is written then.";
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(ui.messages[i].find(advice) != std::string::npos, i >= 2) << ui.messages[i];
  }
  const auto model = test::ReadModelTest("munk_model_12");
  CtmS = model.Ctm;
  // An answer that is not a number is a refusal of the same question too.
  test::ScriptedToolkit zeros({"x", "0", "0"});
  EXPECT_THROW(MunkSmoothing(zeros, model.Cfm, CtmS, model.Ctm, model.Fn, D), InputFault);
  ASSERT_EQ(zeros.messages.size(), 3U);
  EXPECT_EQ(zeros.messages[2],
            zeros.messages[1] + " To stop the analysis, end the input; no report is written then.");
}

}  // namespace
}  // namespace kavrel
