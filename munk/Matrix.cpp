// Dense-matrix transpose, product and Gauss-Jordan solve for the wave-resistance fit. They work in
// place on matrices the caller sizes, never throw and never talk to the user.
#include "munk/Matrix.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kavrel {

void Matrix::GrowTo(std::size_t rows, std::size_t cols) {
  if (rows <= rows_ && cols <= cols_) return;
  Matrix grown(std::max(rows, rows_), std::max(cols, cols_));
  for (std::size_t i = 0; i < rows_; ++i) {
    for (std::size_t j = 0; j < cols_; ++j) grown(i, j) = (*this)(i, j);
  }
  *this = std::move(grown);
}

void MatTranspose(std::size_t rows, std::size_t cols, const Matrix& A, Matrix& T) {
  // The transpose has the sizes the other way round.
  T.GrowTo(cols, rows);  // NOLINT(readability-suspicious-call-argument)
  for (std::size_t i = 0; i < rows; ++i) {
    for (std::size_t j = 0; j < cols; ++j) T(j, i) = A(i, j);
  }
}

bool MatMultiply(std::size_t rowsA, std::size_t colsA, const Matrix& A, std::size_t rowsB,
                 std::size_t colsB, const Matrix& B, Matrix& P) {
  if (colsB != rowsA) return false;
  P.GrowTo(rowsB, colsA);
  for (std::size_t i = 0; i < rowsB; ++i) {
    for (std::size_t j = 0; j < colsA; ++j) P(i, j) = 0;
  }
  // Column by column, each element summed over k in ascending order.
  for (std::size_t j = 0; j < colsA; ++j) {
    for (std::size_t i = 0; i < rowsB; ++i) {
      for (std::size_t k = 0; k < rowsA; ++k) P(i, j) += B(i, k) * A(k, j);
    }
  }
  return true;
}

bool MatSolve(Matrix& C, std::span<double> V, std::size_t n) {
  C.GrowTo(n, n + 1);
  for (std::size_t i = 0; i < n; ++i) C(i, n) = V[i];
  for (std::size_t k = 0; k < n; ++k) {
    // Written as "not greater than" so that a pivot that is not a number stops too.
    if (!(std::abs(C(k, k)) > MatSolveEps)) return false;
    for (std::size_t j = k + 1; j <= n; ++j) C(k, j) /= C(k, k);
    C(k, k) = 1;
    for (std::size_t i = 0; i < n; ++i) {
      if (i == k || !(std::abs(C(i, k)) > MatSolveEps)) continue;
      for (std::size_t j = k + 1; j <= n; ++j) C(i, j) -= C(i, k) * C(k, j);
      C(i, k) = 0;
    }
  }
  for (std::size_t i = 0; i < n; ++i) V[i] = C(i, n);
  return true;
}

}  // namespace kavrel
