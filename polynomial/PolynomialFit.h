// Weighted least-squares polynomial fit by orthogonal polynomials (Forsythe's
// three-term recurrence) evaluated by Clenshaw's backward summation.
#pragma once

#include <span>

namespace kavrel {

// Fits a polynomial with `Order` terms (degree Order - 1) to the points (X, Y), both
// of the same size; the first and the last point carry half weight. On success every
// Y is replaced by the fitted value at its X and the result is true. A fit that
// cannot be made (no points, Order < 1, a zero square sum because the points cannot
// carry that many terms) returns false and leaves Y unchanged.
bool PolynomialFit(std::span<const double> X, std::span<double> Y, int Order);

}  // namespace kavrel
