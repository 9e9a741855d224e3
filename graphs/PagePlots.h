// The plots of the report page: scaled axes with ticks at 1, 2 or 5 times a power of ten, tick
// numbers, axis titles with units, a light grid and a legend. Drawn on windows that are never
// shown; the page turns them into inline SVG. The window pictures are drawn elsewhere.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ui/Toolkit.h"

namespace kavrel {

// One series of a plot: points (circles, with error bars when `bars` is given) or a curve
// through the values in order. Values that are not finite are left out.
struct PlotSeries {
  std::string label;
  std::vector<double> x, y;
  int colour = Colour::Black;
  bool points = false;
  std::vector<double> bars;  // half-lengths of the error bars, one per point; empty for none
};

// A plot of the series against titled axes, the abscissa from its lowest value (or from 0 when
// `xFromZero`), the ordinate likewise; `lines` are printed below the legend (an equation, a
// note that the plot is empty and why).
DisplayWindow PagePlot(const std::string& caption, const std::string& xTitle,
                       const std::string& yTitle, std::span<const PlotSeries> series,
                       bool xFromZero, bool yFromZero, std::span<const std::string> lines = {});

// The Prohaska plot for the page: ordinate/Cfm against Fn^4/Cfm for the runs with
// 0.1 < Fn < 0.2 (coefficients times 1000), the least-squares line from Fn^4/Cfm = 0 and its
// equation; `ordinateName` is "Ctm" or "CtmS". Without a line the plot says why.
DisplayWindow FormFactorPlot(const std::string& caption, std::span<const double> Fn,
                             std::span<const double> ordinate, std::span<const double> Cfm,
                             const std::string& ordinateName);

}  // namespace kavrel
