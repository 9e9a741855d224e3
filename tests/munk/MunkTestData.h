// Resistance tests made from the wave-resistance model with chosen coefficients and D values,
// plus scatter that the least-squares fit must remove exactly.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "munk/MunkSmoothing.h"

namespace kavrel::testing {

struct ModelTest {
  std::vector<double> Fn, Cfm;  // Cfm times 1000
  std::vector<double> model;    // the model's Ctm times 1000
  std::vector<double> Ctm;      // model plus scatter, times 1000
};

// The model's terms for one run, written out directly from the formula.
inline std::array<double, 6> ModelTerms(double Fn, double Cfm, const MunkParameters& D) {
  const double F4 = std::pow(Fn, 4);
  std::array<double, 6> terms{Cfm / 1000, F4};
  for (std::size_t j = 0; j < 4; ++j) terms[2 + j] = F4 * std::cos(D[j] / (Fn * Fn));
  return terms;
}

// N runs evenly spaced from FnLow to FnHigh of a model of length L (m) in water of kinematic
// viscosity nu (m2/s), with Cfm of the ITTC-1957 line. The scatter (largest size `scatter`, times
// 1000) is made orthogonal, by modified Gram-Schmidt, to the first `columns` model terms with these
// D, so the least-squares fit over those terms gives back exactly the model.
inline ModelTest MakeModelTest(std::size_t N, double FnLow, double FnHigh,
                               const std::array<double, 6>& X, const MunkParameters& D,
                               double scatter = 0, std::size_t columns = 6, double nu = 1.14e-6,
                               double L = 4) {
  ModelTest test;
  const double g = 9.80665;
  std::vector<std::vector<double>> basis;  // orthonormal columns
  std::vector<double> e(N);
  for (std::size_t I = 0; I < N; ++I) {
    const double Fn = N == 1 ? FnLow : FnLow + (FnHigh - FnLow) * I / (N - 1);
    const double Rn = Fn * std::sqrt(g * L) * L / nu;
    const double Cfm = 0.075 / std::pow(std::log10(Rn) - 2, 2) * 1000;
    const auto terms = ModelTerms(Fn, Cfm, D);
    double Ctm = 0;
    for (std::size_t i = 0; i < 6; ++i) Ctm += X[i] * terms[i];
    test.Fn.push_back(Fn);
    test.Cfm.push_back(Cfm);
    test.model.push_back(1000 * Ctm);
    e[I] = (I % 3 == 0 ? 1.0 : -0.6) + 0.1 * static_cast<double>(I % 5);
  }
  for (std::size_t c = 0; c < columns; ++c) {
    std::vector<double> q(N);
    for (std::size_t I = 0; I < N; ++I) q[I] = ModelTerms(test.Fn[I], test.Cfm[I], D)[c];
    for (const auto& b : basis) {
      double dot = 0;
      for (std::size_t I = 0; I < N; ++I) dot += b[I] * q[I];
      for (std::size_t I = 0; I < N; ++I) q[I] -= dot * b[I];
    }
    double norm = 0;
    for (double v : q) norm += v * v;
    for (double& v : q) v /= std::sqrt(norm);
    basis.push_back(q);
  }
  for (const auto& b : basis) {
    double dot = 0;
    for (std::size_t I = 0; I < N; ++I) dot += b[I] * e[I];
    for (std::size_t I = 0; I < N; ++I) e[I] -= dot * b[I];
  }
  double largest = 0;
  for (double v : e) largest = std::max(largest, std::abs(v));
  for (std::size_t I = 0; I < N; ++I) {
    test.Ctm.push_back(test.model[I] + (scatter > 0 ? scatter * e[I] / largest : 0.0));
  }
  return test;
}

// Coefficients of a plausible model: (1+k) about 1.15, a wave term of about 1 (times 1000) at
// Fn 0.35, and small cosine components.
inline constexpr std::array<double, 6> PlausibleX{1.15, 0.07, 0.02, -0.015, 0.01, 0.005};
inline constexpr MunkParameters PlausibleD{0.1, 0.3, 0.5, 0.8};

}  // namespace kavrel::testing
