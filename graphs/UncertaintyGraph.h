// The measured Ctm with their expanded uncertainties and the smoothed CtmS with its band: the
// picture of the uncertainty analysis.
#pragma once

#include <span>

#include "ui/Toolkit.h"

namespace kavrel {

// A window for the picture, of the coefficient graph's size; it is never shown on a screen.
DisplayWindow UncertaintyGraphWindow();

// Draws against Fn every run's Ctm (times 1000) as a point with a bar of +-UCtm, and the CtmS
// curve in run order between the two curves CtmS +- UCtmS, with scaled axes, units and a legend.
// All spans have the size of Fn; values that are not finite are left out.
void DrawUncertaintyGraph(DisplayWindow& window, std::span<const double> Fn,
                          std::span<const double> Ctm, std::span<const double> UCtm,
                          std::span<const double> CtmS, std::span<const double> UCtmS);

}  // namespace kavrel
