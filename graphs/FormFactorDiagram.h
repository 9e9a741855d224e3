// The two form-factor diagrams: points, fitted line and its equation.
#pragma once

#include <optional>
#include <span>

#include "analysis/StraightLine.h"
#include "analysis/Toolkit.h"

namespace kavrel {

// Form_Faktor_Form1, raw data. Without a line only the points are drawn.
void DrawFormFactorRaw(Toolkit& ui, std::span<const double> x, std::span<const double> y,
                       std::optional<StraightLine> line);

// Form_Faktor_Form2, smoothed data; the same drawing as the raw diagram.
void DrawFormFactorSmoothed(Toolkit& ui, std::span<const double> x, std::span<const double> y,
                            std::optional<StraightLine> line);

}  // namespace kavrel
