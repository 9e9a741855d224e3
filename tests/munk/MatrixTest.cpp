// Transpose, product and Gauss-Jordan solve checked against products and solutions worked by hand.
#include "munk/Matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace kavrel {
namespace {

Matrix Make(const std::vector<std::vector<double>>& rows) {
  Matrix m(rows.size(), rows.front().size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t j = 0; j < rows[i].size(); ++j) m(i, j) = rows[i][j];
  }
  return m;
}

Matrix Filled(std::size_t rows, std::size_t cols, double value) {
  Matrix m(rows, cols);
  for (std::size_t i = 0; i < rows; ++i) {
    for (std::size_t j = 0; j < cols; ++j) m(i, j) = value;
  }
  return m;
}

TEST(MatMultiply, LeftFactorIsTheSecondMatrix) {
  const Matrix A = Make({{1, 2, 3}, {4, 5, 6}});             // 2 x 3, right-hand factor
  const Matrix B = Make({{1, 0}, {0, 1}, {1, 1}, {2, -1}});  // 4 x 2, left-hand factor
  Matrix P = Filled(5, 4, 9);  // larger than the product: the rest stays
  ASSERT_TRUE(MatMultiply(2, 3, A, 4, 2, B, P));
  EXPECT_EQ(P, Make({{1, 2, 3, 9}, {4, 5, 6, 9}, {5, 7, 9, 9}, {-2, -1, 0, 9}, {9, 9, 9, 9}}));
  // Three columns of B against two rows of A: refused, P untouched.
  const Matrix before = P;
  EXPECT_FALSE(MatMultiply(2, 3, A, 4, 3, Filled(4, 3, 1), P));
  EXPECT_EQ(P, before);
  EXPECT_EQ(std::string(MatMultiplyMismatchText),
            " Number of Rows of Matrix A must be Equal to Number of Columns of Matrix B");
}

struct SolveCase {
  const char* name;
  std::vector<std::vector<double>> C;
  std::vector<double> V;
  bool finishes;
  std::vector<double> expected;  // V on return
};

TEST(MatSolve, Cases) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<SolveCase> cases{
      {"diagonal divides by the diagonal",
       {{2, 0, 0}, {0, 4, 0}, {0, 0, 0.5}},
       {2, 8, 1},
       true,
       {1, 2, 2}},
      {"one unknown", {{4}}, {2}, true, {0.5}},
      // C x = V for x = (1, 2, 3) worked by hand.
      {"symmetric 3 x 3", {{4, 1, 2}, {1, 3, 0}, {2, 0, 5}}, {12, 7, 17}, true, {1, 2, 3}},
      {"first pivot 0 stops although regular", {{0, 1}, {1, 0}}, {3, 4}, false, {3, 4}},
      {"pivot of 1e-8 stops", {{1e-8}}, {1}, false, {1}},
      {"pivot that is not a number stops", {{nan}}, {1}, false, {1}},
      // Below the tolerance the entry is not eliminated: x2 stays 1 instead of 1 - 1e-9.
      {"1e-9 left alone", {{1, 0}, {1e-9, 1}}, {1, 1}, true, {1, 1}},
      {"2e-8 eliminated", {{1, 0}, {2e-8, 1}}, {1, 1}, true, {1, 1 - 2e-8}},
  };
  for (const SolveCase& c : cases) {
    SCOPED_TRACE(c.name);
    Matrix C = Make(c.C);  // n columns only: the solve adds the column for V
    std::vector<double> V = c.V;
    EXPECT_EQ(MatSolve(C, V, V.size()), c.finishes);
    ASSERT_EQ(V.size(), c.expected.size());
    for (std::size_t i = 0; i < V.size(); ++i) EXPECT_NEAR(V[i], c.expected[i], 1e-15) << i;
  }
}

}  // namespace
}  // namespace kavrel
