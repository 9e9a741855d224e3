// Table interpolation by a not-a-knot cubic spline (de Boor's formulation), with a
// flat-segment rule for neighbouring table values that are equal.
#pragma once

#include <span>

namespace kavrel {

// Value at XP of the function tabled by X (strictly ascending) and Y, both of the
// same size, at least 2 points. YP is assigned only when X.front() <= XP <= X.back();
// the result tells whether it was (false also for a NaN XP, fewer than 2 points or
// sizes that differ). An interval whose end values differ by less than 1e-5 gives its
// left value; elsewhere the spline through all points is evaluated, an XP on an
// interior abscissa on the piece to its left.
[[nodiscard]] bool Interpolate(std::span<const double> X, std::span<const double> Y, double XP,
                               double& YP);

}  // namespace kavrel
