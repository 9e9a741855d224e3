// Small dense matrices and the three operations under the wave-resistance least-squares fit:
// transpose, product and Gauss-Jordan solve without row exchanges.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace kavrel {

// A rows x cols matrix of doubles, stored by rows and zero-filled when made.
// Rows and columns count from 0: the element that the fit's formulas call A(i,j),
// row i and column j counted from 1, is A(i - 1, j - 1) here.
class Matrix {
 public:
  Matrix() = default;
  Matrix(std::size_t rows, std::size_t cols) : rows_(rows), cols_(cols), values_(rows * cols) {}

  std::size_t Rows() const { return rows_; }
  std::size_t Cols() const { return cols_; }

  double& operator()(std::size_t row, std::size_t col) { return values_[row * cols_ + col]; }
  double operator()(std::size_t row, std::size_t col) const { return values_[row * cols_ + col]; }

  // Makes the matrix at least rows x cols, keeping every element it had; new elements are 0.
  void GrowTo(std::size_t rows, std::size_t cols);

  friend bool operator==(const Matrix&, const Matrix&) = default;

 private:
  std::size_t rows_ = 0;
  std::size_t cols_ = 0;
  std::vector<double> values_;
};

// The pivot tolerance of MatSolve.
inline constexpr double MatSolveEps = 1e-8;

// T(j,i) = A(i,j) for the first `rows` rows and `cols` columns of A. Only those elements of
// T are written; T is grown when it is smaller than cols x rows. A must hold rows x cols.
void MatTranspose(std::size_t rows, std::size_t cols, const Matrix& A, Matrix& T);

// P = B * A: A (rowsA x colsA) is the right-hand factor, B (rowsB x colsB) the left-hand one,
// and P gets rowsB rows and colsA columns (grown when smaller; elements outside are kept).
// Returns false, P untouched, when colsB differs from rowsA. A and B must hold the stated
// counts.
[[nodiscard]] bool MatMultiply(std::size_t rowsA, std::size_t colsA, const Matrix& A,
                               std::size_t rowsB, std::size_t colsB, const Matrix& B, Matrix& P);

// Solves C * x = V for the n x n matrix C by Gauss-Jordan elimination without row or column
// exchanges (the pivot is always the diagonal element, which suits symmetric normal matrices);
// x replaces V[0..n-1]. C is overwritten: it is augmented by V in its column n (grown to
// n + 1 columns when needed). Entries of a pivot column with |entry| <= MatSolveEps are left
// alone. Returns false as soon as a pivot has |pivot| <= MatSolveEps (or is not a number):
// V is then unchanged and C partly reduced. V must hold n values.
[[nodiscard]] bool MatSolve(Matrix& C, std::span<double> V, std::size_t n);

}  // namespace kavrel
