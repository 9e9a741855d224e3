// Weighted least-squares polynomial fit by orthogonal polynomials (Forsythe's
// three-term recurrence) evaluated by Clenshaw's backward summation.
#pragma once

#include <optional>
#include <span>
#include <vector>

namespace kavrel {

// The fitted series f(x) = Coef(1)·P1(x) + ... + Coef(Order)·P_Order(x) with the
// orthogonal polynomials P1 = 1, P2 = x - Alpha(1) and, for j >= 2,
// P(j+1) = (x - Alpha(j))·Pj - Beta(j)·P(j-1). Index j - 1 holds term j; the three
// vectors have Order elements. Beta(1) and the last Alpha and Beta are 0 (unused).
struct OrthogonalSeries {
  std::vector<double> Alpha;
  std::vector<double> Beta;
  std::vector<double> Coef;

  int Order() const { return static_cast<int>(Coef.size()); }
};

// One fit of the smoothing as the user answered it: runs NS..ND (numbered from 1), Order terms.
struct PolynomialFitSetting {
  int NS = 1;
  int ND = 1;
  int Order = 1;
};

// Forsythe's recurrence over the points (X, Y), both of the same size; the first and
// the last point carry half weight. Empty when the fit cannot be made: no points,
// sizes that differ, Order < 1, fewer distinct abscissae than Order (a zero square
// sum), or a coefficient that does not come out finite.
[[nodiscard]] std::optional<OrthogonalSeries> OrthogonalCoefficients(std::span<const double> X,
                                                                     std::span<const double> Y,
                                                                     int Order);

// The series at x by Clenshaw's backward recurrence.
double OrthogonalValue(double x, const OrthogonalSeries& series);

// Fits a polynomial with `Order` terms (degree Order - 1) to the points (X, Y), both
// of the same size; the first and the last point carry half weight. On success every
// Y is replaced by the fitted value at its X and the result is true. A fit that
// cannot be made (no points, Order < 1, a zero square sum because the points cannot
// carry that many terms) returns false and leaves Y unchanged; so does a fit whose
// coefficients or fitted values do not come out finite.
[[nodiscard]] bool PolynomialFit(std::span<const double> X, std::span<double> Y, int Order);

}  // namespace kavrel
