// Resistance tests made from the wave-resistance model with chosen coefficients and D values,
// plus scatter that the least-squares fit must remove exactly.
#pragma once

#include <cmath>
#include <numeric>
#include <vector>

#include "munk/MunkSmoothing.h"

namespace kavrel::test {

struct ModelTest {
  std::vector<double> Fn, Cfm, model, Ctm;  // coefficients times 1000; Ctm is model plus scatter
};

// A plausible model: (1+k) about 1.15, a wave term of about 1 (times 1000) at Fn 0.35.
inline constexpr double PlausibleX[6]{1.15, 0.07, 0.02, -0.015, 0.01, 0.005};
inline constexpr MunkParameters PlausibleD{0.1, 0.3, 0.5, 0.8};

// N runs evenly spaced from FnLow to FnHigh of a model 5 m long in water at 15 degrees
// (kinematic viscosity 1.13902e-6 m2/s), Cfm on the ITTC-1957 line, made from the model with
// PlausibleX and PlausibleD
//   Ctm/1000 = X1 Cfm/1000 + X2 Fn^4 + sum over j of X(j+2) Fn^4 cos(D(j) / Fn^2).
// The scatter is made orthogonal to the six terms by modified Gram-Schmidt, so the
// least-squares fit with these D gives back exactly the model.
inline ModelTest MakeModelTest(std::size_t N, double FnLow, double FnHigh) {
  ModelTest test;
  std::vector<std::vector<double>> terms(7, std::vector<double>(N));  // the six, then the scatter
  for (std::size_t I = 0; I < N; ++I) {
    const double Fn = FnLow + (FnHigh - FnLow) * double(I) / double(N - 1), F4 = std::pow(Fn, 4);
    test.Fn.push_back(Fn);
    test.Cfm.push_back(75 /
                       std::pow(std::log10(Fn * std::sqrt(9.80665 * 5) * 5 / 1.13902e-6) - 2, 2));
    terms[0][I] = test.Cfm[I] / 1000;
    terms[1][I] = F4;
    for (std::size_t j = 0; j < 4; ++j) terms[2 + j][I] = F4 * std::cos(PlausibleD[j] / (Fn * Fn));
    terms[6][I] = 0.05 * ((I % 3 == 0 ? 1.0 : -0.6) + 0.1 * double(I % 5));
    test.model.push_back(0);
    for (std::size_t i = 0; i < 6; ++i) test.model[I] += 1000 * PlausibleX[i] * terms[i][I];
  }
  // Modified Gram-Schmidt: term c is normalised, and the later terms and the scatter lose their
  // part along it.
  for (std::size_t c = 0; c < 6; ++c) {
    std::vector<double>& q = terms[c];
    const double norm = std::sqrt(std::inner_product(q.begin(), q.end(), q.begin(), 0.0));
    for (double& v : q) v /= norm;
    for (std::size_t k = c + 1; k < 7; ++k) {
      const double along = std::inner_product(q.begin(), q.end(), terms[k].begin(), 0.0);
      for (std::size_t I = 0; I < N; ++I) terms[k][I] -= along * q[I];
    }
  }
  for (std::size_t I = 0; I < N; ++I) test.Ctm.push_back(test.model[I] + terms[6][I]);
  return test;
}

}  // namespace kavrel::test
