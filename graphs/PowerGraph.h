// The ship's effective power against its speed: the picture of the full-scale prediction.
#pragma once

#include <span>

#include "ui/Toolkit.h"

namespace kavrel {

// A window for the picture, of the coefficient graph's size; it is never shown on a screen.
DisplayWindow PowerGraphWindow();

// Draws Pe (kW) against Vs (knots): the runs as points, the curve through them in run order,
// axes from 0 (or below, for negative values) with labelled ticks at 1, 2 or 5 times a power
// of ten. Values that are not finite are left out.
void DrawPowerGraph(DisplayWindow& window, std::span<const double> knots,
                    std::span<const double> PeKW);

}  // namespace kavrel
