// Weighted least-squares polynomial fit: Forsythe's orthogonal polynomials built by a
// three-term recurrence over the points, the series summed by Clenshaw's method.
#include "polynomial/PolynomialFit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "text/Finite.h"

namespace kavrel {

std::optional<OrthogonalSeries> OrthogonalCoefficients(std::span<const double> X,
                                                       std::span<const double> Y, int Order) {
  const std::size_t M = X.size();
  if (M == 0 || Y.size() != M || Order < 1) return std::nullopt;
  if (!AllFinite(X) || !AllFinite(Y)) return std::nullopt;
  // The square sum s(j) of a polynomial that vanishes at every point is zero (or
  // rounding noise): the points cannot carry more terms than they have abscissae.
  if (DistinctAbscissae(X) < Order) return std::nullopt;

  const auto terms = static_cast<std::size_t>(Order);
  OrthogonalSeries series{std::vector<double>(terms, 0.0), std::vector<double>(terms, 0.0),
                          std::vector<double>(terms, 0.0)};
  auto& Alpha = series.Alpha;
  auto& Beta = series.Beta;
  auto& Coef = series.Coef;
  std::vector<double> s(terms, 0.0);  // weighted square sum of each polynomial

  // Half weight at both ends of the range; every sum below uses the final weights.
  std::vector<double> w(M, 1.0);
  w.front() = 0.5;
  w.back() = 0.5;
  for (std::size_t i = 0; i < M; ++i) {
    Coef[0] += w[i] * Y[i];
    Alpha[0] += w[i] * X[i];
    s[0] += w[i];
  }
  Coef[0] = Coef[0] / s[0];  // the weighted mean of Y

  std::vector<double> e(M);  // residuals left by the terms so far
  for (std::size_t i = 0; i < M; ++i) e[i] = Y[i] - Coef[0];

  if (terms > 1) {
    Alpha[0] = Alpha[0] / s[0];     // the weighted mean of X
    std::vector<double> p(M);       // current polynomial at the points
    std::vector<double> q(M, 1.0);  // previous polynomial at the points
    for (std::size_t i = 0; i < M; ++i) p[i] = X[i] - Alpha[0];

    for (std::size_t j = 1; j < terms; ++j) {
      for (std::size_t i = 0; i < M; ++i) {
        double t = w[i] * p[i];
        Coef[j] += t * e[i];
        t = t * p[i];
        Alpha[j] += t * X[i];
        s[j] += t;
      }
      if (!(s[j] > 0.0) || !std::isfinite(s[j])) return std::nullopt;
      Coef[j] = Coef[j] / s[j];
      for (std::size_t i = 0; i < M; ++i) e[i] = e[i] - Coef[j] * p[i];
      if (j + 1 == terms) {
        Alpha[j] = 0.0;  // the last shift is never used: keep no half-made value
        break;
      }
      Alpha[j] = Alpha[j] / s[j];
      Beta[j] = s[j] / s[j - 1];
      for (std::size_t i = 0; i < M; ++i) {
        const double t = p[i];
        p[i] = (X[i] - Alpha[j]) * p[i] - Beta[j] * q[i];
        q[i] = t;
      }
    }
  }
  if (!AllFinite(Alpha) || !AllFinite(Beta) || !AllFinite(Coef)) return std::nullopt;
  return series;
}

double OrthogonalValue(double x, const OrthogonalSeries& series) {
  const int order = series.Order();
  if (order < 1) return 0.0;
  const auto& Alpha = series.Alpha;
  const auto& Beta = series.Beta;
  const auto& Coef = series.Coef;
  // Clenshaw: b(n) = (x - Alpha(n))·b(n+1) + Coef(n) - Beta(n+1)·b(n+2), from the top term down.
  double b = Coef[static_cast<std::size_t>(order - 1)];
  double b1 = 0.0;
  for (int k = 1; k < order; ++k) {
    const auto n = static_cast<std::size_t>(order - k - 1);  // term order - k
    const double b2 = b1;
    b1 = b;
    b = (x - Alpha[n]) * b1 + Coef[n] - Beta[n + 1] * b2;
  }
  return b;
}

bool PolynomialFit(std::span<const double> X, std::span<double> Y, int Order) {
  const auto series = OrthogonalCoefficients(X, Y, Order);
  if (!series) return false;
  std::vector<double> fitted(X.size());
  for (std::size_t i = 0; i < X.size(); ++i) fitted[i] = OrthogonalValue(X[i], *series);
  // Extreme but finite data can still overflow in the summation: keep Y as it was then.
  if (!AllFinite(fitted)) return false;
  std::copy(fitted.begin(), fitted.end(), Y.begin());
  return true;
}

}  // namespace kavrel
