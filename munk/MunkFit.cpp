// The wave-resistance (Munk) model fitted by linear least squares: Ctm as a frictional term
// and a Fn^4 wave term with up to four cosine components whose phases D(1)..D(4) are given.
#include "munk/MunkFit.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace kavrel {

void MunkDesignMatrix(std::span<const double> Cfm, std::span<const double> Fn,
                      const MunkParameters& D, Matrix& A) {
  A.GrowTo(Fn.size(), MunkUnknowns);
  for (std::size_t I = 0; I < Fn.size(); ++I) {
    // Powers as the model writes them, F^2 and F^4.
    const double F2 = std::pow(Fn[I], 2);
    const double F4 = std::pow(Fn[I], 4);
    A(I, 0) = Cfm[I] / 1000;
    A(I, 1) = F4;
    for (std::size_t j = 0; j < D.size(); ++j) {
      // F^4 cos(D/F^2) tends to 0 with F; D/0 would make the cosine undefined.
      A(I, 2 + j) = F2 > 0 ? F4 * std::cos(D[j] / F2) : 0.0;
    }
  }
}

MunkFit::MunkFit(std::span<const double> Cfm, std::span<const double> Ctm,
                 std::span<const double> Fn)
    : Cfm_(Cfm),
      Ctm_(Ctm),
      Fn_(Fn),
      A_(Fn.size(), MunkUnknowns),
      At_(MunkUnknowns, Fn.size()),
      C_(MunkUnknowns, MunkUnknowns + 1),
      b_(Fn.size(), 1),
      Atb_(MunkUnknowns, 1),
      V_(MunkUnknowns),
      fitted_(Fn.size()) {
  for (std::size_t I = 0; I < Fn.size(); ++I) b_(I, 0) = Ctm_[I] / 1000;
}

MunkFitOutcome MunkFit::Try(const MunkParameters& D, int t, std::span<double> CtmS) {
  const std::size_t N = Fn_.size();
  const std::size_t M = static_cast<std::size_t>(t) + 2;
  MunkDesignMatrix(Cfm_, Fn_, D, A_);
  for (std::size_t I = 0; I < N; ++I) {
    for (std::size_t i = 0; i < M; ++i) {
      if (!std::isfinite(A_(I, i))) return MunkFitOutcome::NotFinite;
    }
  }
  // Normal equations (A^T A) X = A^T b; MatMultiply takes its right-hand factor first. The
  // factors are sized to each other here, so neither product can refuse them.
  MatTranspose(N, M, A_, At_);
  [[maybe_unused]] const bool normal = MatMultiply(N, M, A_, M, N, At_, C_);
  [[maybe_unused]] const bool right = MatMultiply(N, 1, b_, M, N, At_, Atb_);
  assert(normal && right);
  for (std::size_t i = 0; i < M; ++i) V_[i] = Atb_(i, 0);
  if (!MatSolve(C_, std::span(V_).first(M), M)) return MunkFitOutcome::Singular;

  std::array<double, MunkUnknowns> X{};
  std::copy_n(V_.begin(), M, X.begin());
  for (std::size_t I = 0; I < N; ++I) {
    // The model term by term, in the order it is written; the unknowns beyond M are 0 and
    // add nothing.
    const double F2 = std::pow(Fn_[I], 2);
    const double F4 = std::pow(Fn_[I], 4);
    double sum = X[0] * Cfm_[I] / 1000 + X[1] * F4;
    for (std::size_t j = 0; j < D.size(); ++j) {
      if (F2 > 0) sum += X[2 + j] * F4 * std::cos(D[j] / F2);
    }
    fitted_[I] = 1000 * sum;
    if (!std::isfinite(fitted_[I])) return MunkFitOutcome::NotFinite;
  }
  X_ = X;
  std::copy(fitted_.begin(), fitted_.end(), CtmS.begin());
  return MunkFitOutcome::Fitted;
}

}  // namespace kavrel
