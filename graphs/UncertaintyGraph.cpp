// Ctm with error bars and CtmS with its uncertainty band against Fn, with labelled axes.
#include "graphs/UncertaintyGraph.h"

#include <cassert>
#include <vector>

#include "graphs/FiniteDrawing.h"
#include "graphs/Ticks.h"

namespace kavrel {

DisplayWindow UncertaintyGraphWindow() {
  return DisplayWindow(WindowId::Uncertainty, "Ctm and CtmS with their expanded uncertainty U",
                       {255, 345, 6735, 4095});
}

void DrawUncertaintyGraph(DisplayWindow& window, std::span<const double> Fn,
                          std::span<const double> Ctm, std::span<const double> UCtm,
                          std::span<const double> CtmS, std::span<const double> UCtmS) {
  using graphs::FiniteCircle;
  using graphs::FiniteLine;
  using graphs::FinitePrint;
  const std::size_t n = Fn.size();
  assert(Ctm.size() == n && UCtm.size() == n && CtmS.size() == n && UCtmS.size() == n);
  std::vector<double> ends;
  for (std::size_t i = 0; i < n; ++i) {
    ends.insert(ends.end(),
                {Ctm[i] - UCtm[i], Ctm[i] + UCtm[i], CtmS[i] - UCtmS[i], CtmS[i] + UCtmS[i]});
  }
  const graphs::Axis x = graphs::AxisFor(Fn, false);
  const graphs::Axis y = graphs::AxisFor(ends, false);
  const double width = x.High() - x.Low();
  const double height = y.High() - y.Low();
  graphs::DrawAxes(window, x, y, "Fn", "Ctm *1000");

  // The band and the curve, then the points with their bars.
  for (std::size_t i = 0; i + 1 < n; ++i) {
    for (const double side : {-1.0, 1.0}) {
      FiniteLine(window, Fn[i], CtmS[i] + side * UCtmS[i], Fn[i + 1],
                 CtmS[i + 1] + side * UCtmS[i + 1], Colour::LightBlue);
    }
    FiniteLine(window, Fn[i], CtmS[i], Fn[i + 1], CtmS[i + 1], Colour::DarkBlue);
  }
  for (std::size_t i = 0; i < n; ++i) {
    FiniteLine(window, Fn[i], Ctm[i] - UCtm[i], Fn[i], Ctm[i] + UCtm[i], Colour::DarkRed);
    for (const double side : {-1.0, 1.0}) {
      FiniteLine(window, Fn[i] - width / 200, Ctm[i] + side * UCtm[i], Fn[i] + width / 200,
                 Ctm[i] + side * UCtm[i], Colour::DarkRed);
    }
    FiniteCircle(window, Fn[i], Ctm[i], width / 150, Colour::DarkRed);
  }
  // The legend, top right.
  const double left = x.High() - 0.3 * width;
  const double top = y.High() + 0.1 * height;
  FiniteCircle(window, left, top - 0.02 * height, width / 150, Colour::DarkRed);
  FinitePrint(window, left + 0.02 * width, top, "Ctm +- U");
  FiniteLine(window, left - 0.01 * width, top - 0.07 * height, left + 0.01 * width,
             top - 0.07 * height, Colour::DarkBlue);
  FinitePrint(window, left + 0.02 * width, top - 0.05 * height, "CtmS, band +- U");
}

}  // namespace kavrel
