// Form factor (1+k) by the Prohaska plot: the runs with 0.1 < Fn < 0.2 as Ctm/Cfm
// against Fn^4/Cfm, a least-squares straight line, (1+k) its intercept.
#include "formfactor/FormFactor.h"

#include "formfactor/Ittc.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>

namespace kavrel {

FormFactorPointSet FormFactorPoints(std::span<const double> Fn, std::span<const double> ordinate,
                                    std::span<const double> Cfm) {
  FormFactorPointSet points;
  assert(ordinate.size() == Fn.size() && Cfm.size() == Fn.size());
  for (std::size_t i = 0; i < Fn.size(); ++i) {
    if (!InProhaskaWindow(Fn[i])) continue;
    // Fn^4 over the unscaled frictional coefficient; the ordinate is a ratio of two
    // coefficients held at the same scale.
    const double x = std::pow(Fn[i], 4) / (Cfm[i] / 1000.0);
    const double y = ordinate[i] / Cfm[i];
    // A zero or extreme Cfm would put an infinity on the diagram and into the line.
    if (!std::isfinite(x) || !std::isfinite(y)) continue;
    points.x.push_back(x);
    points.y.push_back(y);
  }
  return points;
}

std::optional<StraightLine> LineFit(std::span<const double> x, std::span<const double> y) {
  const std::size_t NK = x.size();
  if (NK < 2 || y.size() != NK) return std::nullopt;
  if (std::all_of(x.begin(), x.end(), [&](double v) { return v == x.front(); })) {
    return std::nullopt;
  }
  double Sx = 0, Sy = 0, Sxy = 0, Sxx = 0;
  for (std::size_t i = 0; i < NK; ++i) {
    Sx += x[i];
    Sy += y[i];
    Sxy += x[i] * y[i];
    Sxx += x[i] * x[i];
  }
  const double n = static_cast<double>(NK);
  const double denominator = n * Sxx - Sx * Sx;
  // Never negative in exact arithmetic; zero or below means rounding has swallowed the
  // spread of the abscissae, and the line is as undefined as with equal abscissae.
  if (!(denominator > 0.0)) return std::nullopt;
  StraightLine line;
  line.Slope = (n * Sxy - Sx * Sy) / denominator;
  line.Intercept = (Sy - line.Slope * Sx) / n;
  if (!std::isfinite(line.Slope) || !std::isfinite(line.Intercept)) return std::nullopt;
  return line;
}

std::optional<double> ProhaskaFormFactor(std::span<const double> Fn,
                                         std::span<const double> ordinate,
                                         std::span<const double> Cfm) {
  const FormFactorPointSet points = FormFactorPoints(Fn, ordinate, Cfm);
  const std::optional<StraightLine> line = LineFit(points.x, points.y);
  if (!line) return std::nullopt;
  return line->Intercept;
}

}  // namespace kavrel
