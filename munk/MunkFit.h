// The wave-resistance (Munk) model and its least-squares fit, with no user interaction: the
// dialogue in MunkSmoothing and any later stage that wants the fitted curve use it alike.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "munk/Matrix.h"

namespace kavrel {

// The parameters D(1) to D(4), as typed; D[0] is D(1).
using MunkParameters = std::array<double, 4>;

// Unknowns of the fourth try, and so the least number of runs at different speeds the
// method can fit.
inline constexpr std::size_t MunkUnknowns = 6;

// The design matrix of the wave-resistance model
//   Ctm/1000 = X1 Cfm/1000 + X2 Fn^4 + sum over j of X(j+2) Fn^4 cos(D(j) / Fn^2)
// (cosine in radians): row I holds Cfm(I)/1000, Fn^4 and the four terms Fn^4 cos(D(j)/Fn^2),
// all four filled whatever the try. A is grown to N x 6 when smaller. Cfm is times 1000.
// A run at Fn = 0 gets the limit 0 for its cosine terms.
void MunkDesignMatrix(std::span<const double> Cfm, std::span<const double> Fn,
                      const MunkParameters& D, Matrix& A);

enum class MunkFitOutcome {
  Fitted,
  Singular,   // the solve stopped on a pivot not above MatSolveEps
  NotFinite,  // the smoothed values did not come out as finite numbers
};

// The linear least-squares fit of one try, by the normal equations (A^T A) X = A^T b solved by
// Gauss-Jordan. The working matrices are sized once to the runs and reused by every try.
// Keeps views of Cfm, Ctm and Fn (times 1000 where a coefficient), which must outlive it.
class MunkFit {
 public:
  MunkFit(std::span<const double> Cfm, std::span<const double> Ctm, std::span<const double> Fn);

  // Try t (1 to 4) fits M = t + 2 unknowns with D(1)..D(t) (the later D must be 0). When
  // Fitted, CtmS (times 1000) holds the smoothed values and X() the coefficients, X(i) = 0
  // for i > M; otherwise CtmS and X() are as before the try.
  MunkFitOutcome Try(const MunkParameters& D, int t, std::span<double> CtmS);

  // X(1)..X(6) of the last fit: X()[0] is the factor on Cfm, X()[1] that of Fn^4.
  const std::array<double, MunkUnknowns>& X() const { return X_; }
  void ClearX() { X_ = {}; }

 private:
  std::span<const double> Cfm_, Ctm_, Fn_;
  Matrix A_, At_, C_, b_, Atb_;
  std::vector<double> V_;
  std::vector<double> fitted_;
  std::array<double, MunkUnknowns> X_{};
};

}  // namespace kavrel
