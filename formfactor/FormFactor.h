// Form factor (1+k) by the Prohaska plot: Ctm/Cfm against Fn^4/Cfm for the runs with
// 0.1 < Fn < 0.2, a least-squares straight line, (1+k) its intercept.
#pragma once

#include <optional>
#include <span>
#include <vector>

namespace kavrel {

// A straight line y = Slope * x + Intercept, as fitted through the form-factor points.
struct StraightLine {
  double Slope = 0;
  double Intercept = 0;
};

struct FormFactorPointSet {
  std::vector<double> x;  // Fn^4 / (Cfm / 1000)
  std::vector<double> y;  // ordinate source / Cfm
};

// The runs with 0.1 < Fn < 0.2, in run order. `ordinate` is Ctm (raw) or CtmS
// (smoothed); the coefficients are held times 1000. All spans have the same size.
// A run whose point does not come out finite (Cfm zero or extreme) is left out.
FormFactorPointSet FormFactorPoints(std::span<const double> Fn, std::span<const double> ordinate,
                                    std::span<const double> Cfm);

// Least-squares straight line through (x, y); empty when it is undefined (fewer than
// two points, or all abscissae equal) or does not come out finite.
[[nodiscard]] std::optional<StraightLine> LineFit(std::span<const double> x,
                                                  std::span<const double> y);

// (1+k): the intercept of the line through the points of FormFactorPoints; empty when the
// line is undefined.
[[nodiscard]] std::optional<double> ProhaskaFormFactor(std::span<const double> Fn,
                                                       std::span<const double> ordinate,
                                                       std::span<const double> Cfm);

}  // namespace kavrel
