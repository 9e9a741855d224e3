// The wave-resistance (Munk) smoothing dialogue.
#pragma once

#include <array>
#include <span>

#include "analysis/Toolkit.h"

namespace kavrel {

// The parameters D(1) to D(4), as typed; D[0] is D(1).
using MunkParameters = std::array<double, 4>;

// Runs the four tries over D(1)..D(4) until the user accepts the calculation.
// CtmS (times 1000) then holds the smoothed values and D the accepted parameters.
void MunkSmoothing(Toolkit& ui, std::span<const double> Cfm, std::span<double> CtmS,
                   std::span<const double> Ctm, std::span<const double> Fn, MunkParameters& D);

}  // namespace kavrel
