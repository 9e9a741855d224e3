// The regression polynomial smoothing dialogue.
#pragma once

#include <span>

#include "ui/Toolkit.h"

namespace kavrel {

// Runs the dialogue over the N = Fn.size() runs until the user accepts the
// calculation (or answers order 0). CtmS (times 1000) then holds the smoothed values.
void PolynomialSmoothing(Toolkit& ui, std::span<const double> Fn, std::span<double> CtmS,
                         std::span<const double> Ctm, std::span<const double> Cfm);

}  // namespace kavrel
