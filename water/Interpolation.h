// Table interpolation by a not-a-knot cubic spline (de Boor's formulation), with a
// flat-segment rule for neighbouring table values that are equal.
#pragma once

#include <span>

namespace kavrel {

// Value at XP of the function tabled by X (strictly ascending) and Y, both of the
// same size, at least 2 points. YP is assigned only when X.front() <= XP <= X.back();
// the result tells whether it was.
bool Interpolate(std::span<const double> X, std::span<const double> Y, double XP, double& YP);

}  // namespace kavrel
