// The two form-factor diagrams: points, fitted line and its equation.
#pragma once

#include <optional>
#include <span>

#include "formfactor/FormFactor.h"
#include "ui/Toolkit.h"

namespace kavrel {

// Form_Faktor_Form1, raw data. Without a line only the points are drawn.
void DrawFormFactorRaw(Toolkit& ui, std::span<const double> x, std::span<const double> y,
                       std::optional<StraightLine> line);

// Form_Faktor_Form2, smoothed data; the same drawing as the raw diagram.
void DrawFormFactorSmoothed(Toolkit& ui, std::span<const double> x, std::span<const double> y,
                            std::optional<StraightLine> line);

enum class ProhaskaData { Raw, Smoothed };

// The whole Prohaska plot of the runs: the points of 0.1 < Fn < 0.2 of `ordinate` (Ctm for
// the raw data, CtmS for the smoothed, times 1000) over Cfm, their line, drawn on the raw or
// the smoothed diagram. Returns (1+k), the line's intercept; nothing when the line is
// undefined.
std::optional<double> DrawProhaskaPlot(Toolkit& ui, ProhaskaData data, std::span<const double> Fn,
                                       std::span<const double> ordinate,
                                       std::span<const double> Cfm);

}  // namespace kavrel
