// The wave-resistance (Munk) smoothing dialogue: the four tries over D(1)..D(4).
#pragma once

#include <span>

#include "munk/MunkFit.h"
#include "ui/Toolkit.h"

namespace kavrel {

// Runs the four tries over D(1)..D(4) until the user accepts the calculation.
// CtmS (times 1000) then holds the smoothed values and D the accepted parameters. With fewer
// than 6 runs at different speeds it says so on the text window and returns at once, CtmS
// equal to Ctm and D all 0.
void MunkSmoothing(Toolkit& ui, std::span<const double> Cfm, std::span<double> CtmS,
                   std::span<const double> Ctm, std::span<const double> Fn, MunkParameters& D);

}  // namespace kavrel
