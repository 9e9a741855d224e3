// Table interpolation by the not-a-knot cubic spline of de Boor ("A Practical Guide to
// Splines", routine CUBSPL), with a flat-segment rule for equal neighbouring table values.
#include "water/Interpolation.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace kavrel {

namespace {

// Neighbouring table values closer than this count as equal: the interval is flat.
constexpr double FlatTolerance = 0.00001;

// Small constants added to some divisors, guards against a zero divisor that belong to
// the method as this program defines it: the spline therefore passes through interior
// table values only to about a relative 1e-7 (the first and last are returned exactly).
constexpr double WidthGuard = 0.000001;
constexpr double PivotGuard = 0.0000001;

// The spline's working table. Indices run from 1 to N as in de Boor's formulation, so
// that every formula reads as published; slot 0 is never used. On return from
// SplineCoefficients, for every knot i below N, c1[i] is the spline value at knot i and
// c2[i], c3[i], c4[i] are the first, second and third derivatives of the piece that
// starts there. While the spline is built, c3 and c4 hold interval widths, divided
// differences and the diagonal of the elimination.
struct SplineTable {
  explicit SplineTable(std::size_t n) : c1(n + 1), c2(n + 1), c3(n + 1), c4(n + 1) {}
  std::vector<double> c1, c2, c3, c4;
};

// Not-a-knot cubic spline through the knots tau[1..N] and the values c.c1[1..N]: the
// slopes at the knots come from a tridiagonal system solved by elimination without
// pivoting, then every piece is written as value and derivatives at its left end.
void SplineCoefficients(std::size_t N, const std::vector<double>& tau, SplineTable& c) {
  auto& c1 = c.c1;
  auto& c2 = c.c2;
  auto& c3 = c.c3;
  auto& c4 = c.c4;

  // Interval widths and divided differences.
  for (std::size_t m = 2; m <= N; ++m) {
    c3[m] = tau[m] - tau[m - 1];
    c4[m] = (c1[m] - c1[m - 1]) / (c3[m] + WidthGuard);
  }

  if (N == 2) {
    // Two knots: the straight line; the system is solved as it stands.
    c4[1] = 1;
    c3[1] = 1;
    c2[1] = 2 * c4[2];
    c2[2] = c4[2];
  } else {
    // First equation: the third derivative is continuous across knot 2.
    c4[1] = c3[3];
    c3[1] = c3[2] + c3[3];
    c2[1] = ((c3[2] + 2 * c3[1]) * c4[2] * c3[3] + c3[2] * c3[2] * c4[3]) / (c3[1] + PivotGuard);

    // Forward elimination over the continuity-of-curvature equations.
    for (std::size_t m = 2; m <= N - 1; ++m) {
      const double g = -c3[m + 1] / c4[m - 1];
      c2[m] = g * c2[m - 1] + 3 * (c3[m] * c4[m + 1] + c3[m + 1] * c4[m]);
      c4[m] = g * c3[m - 1] + 2 * (c3[m] + c3[m + 1]);
    }

    // Last equation: the third derivative is continuous across knot N - 1.
    double g = 0;
    if (N >= 4) {
      g = c3[N - 1] + c3[N];
      c2[N] = ((c3[N] + 2 * g) * c4[N] * c3[N - 1] +
               c3[N] * c3[N] * (c1[N - 1] - c1[N - 2]) / c3[N - 1]) /
              g;
      g = -g / c4[N - 1];
      c4[N] = c3[N - 1];
    } else {  // three knots: the parabola through them
      c2[3] = 2 * c4[3];
      c4[3] = 1;
      g = -1 / (c4[2] + PivotGuard);
    }
    c4[N] = g * c3[N - 1] + c4[N];
    c2[N] = (g * c2[N - 1] + c2[N]) / c4[N];
  }

  // Back substitution: c2 becomes the slope at every knot.
  for (std::size_t j = N - 1; j >= 1; --j) {
    c2[j] = (c2[j] - c3[j] * c2[j + 1]) / c4[j];
  }

  // Second and third derivatives at the left end of every piece.
  for (std::size_t i = 2; i <= N; ++i) {
    const double d = c3[i];
    const double f1 = (c1[i] - c1[i - 1]) / (d + WidthGuard);
    const double f3 = c2[i - 1] + c2[i] - 2 * f1;
    c3[i - 1] = 2 * (f1 - c2[i - 1] - f3) / (d + WidthGuard);
    c4[i - 1] = (f3 / (d + WidthGuard)) * (6 / (d + WidthGuard));
  }
}

}  // namespace

bool Interpolate(std::span<const double> X, std::span<const double> Y, double XP, double& YP) {
  const std::size_t N = X.size();
  if (N < 2 || Y.size() != N || std::isnan(XP)) return false;

  // The interval that holds XP, numbered from 1: the last match wins, so an XP on an
  // interior abscissa belongs to the interval on its right.
  std::size_t J = 0;
  for (std::size_t K = 1; K <= N - 1; ++K) {
    if (X[K - 1] <= XP && XP <= X[K]) J = K;
  }
  if (XP < X[0] || XP > X[N - 1] || J == 0) return false;

  // A flat interval gives its left value, where a spline through it would overshoot.
  if (std::abs(Y[J - 1] - Y[J]) < FlatTolerance) {
    YP = Y[J - 1];
    return true;
  }

  std::vector<double> Knots(N + 1);
  SplineTable C(N);
  for (std::size_t i = 1; i <= N; ++i) {
    Knots[i] = X[i - 1];
    C.c1[i] = Y[i - 1];
  }
  SplineCoefficients(N, Knots, C);

  if (XP == Knots[1]) {
    YP = C.c1[1];
    return true;
  }
  if (XP == Knots[N]) {
    YP = C.c1[N];
    return true;
  }
  // Here an XP on an interior knot is taken at the right end of the piece to its left.
  for (std::size_t K = 1; K <= N - 1; ++K) {
    if (Knots[K] < XP && XP <= Knots[K + 1]) {
      const double H = XP - Knots[K];
      YP = C.c1[K] + H * C.c2[K] + H * H * (C.c3[K] + H * C.c4[K] / 3) / 2;
      return true;
    }
  }
  return false;  // abscissae not ascending: no piece holds XP
}

}  // namespace kavrel
