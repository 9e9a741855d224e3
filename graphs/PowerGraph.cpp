// The effective-power curve of the full-scale prediction, with labelled axes.
#include "graphs/PowerGraph.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <string>

#include "graphs/FiniteDrawing.h"
#include "graphs/Ticks.h"
#include "text/NumberText.h"

namespace kavrel {

namespace {

using graphs::Axis;
using graphs::AxisFor;
using graphs::DrawAxes;
using graphs::FiniteCircle;
using graphs::FiniteLine;

}  // namespace

DisplayWindow PowerGraphWindow() {
  return DisplayWindow(WindowId::Ship_Power, "Effective power Pe against ship speed Vs",
                       {255, 345, 6735, 4095});
}

void DrawPowerGraph(DisplayWindow& window, std::span<const double> knots,
                    std::span<const double> PeKW) {
  assert(PeKW.size() == knots.size());
  const std::size_t n = knots.size();
  const Axis x = AxisFor(knots.first(n));
  const Axis y = AxisFor(PeKW.first(n));
  const double width = x.High() - x.Low();

  DrawAxes(window, x, y, "Vs (kn)", "Pe (kW)");

  for (std::size_t i = 0; i + 1 < n; ++i) {
    FiniteLine(window, knots[i], PeKW[i], knots[i + 1], PeKW[i + 1], Colour::DarkRed);
  }
  for (std::size_t i = 0; i < n; ++i) {
    FiniteCircle(window, knots[i], PeKW[i], width / 150, Colour::DarkRed);
  }
}

}  // namespace kavrel
