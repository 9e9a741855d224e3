// Drawing helpers shared by the graphs: a line, circle or text whose numbers are not
// finite (a run whose coefficient could not be computed) is left off the window.
#pragma once

#include <cmath>
#include <string_view>

#include "text/Finite.h"
#include "ui/Toolkit.h"

namespace kavrel::graphs {

// The font of every graph.
inline constexpr std::string_view GraphFont = "Times New Roman";

inline void FiniteLine(DisplayWindow& window, double x1, double y1, double x2, double y2,
                       int colour) {
  if (Finite({x1, y1, x2, y2})) window.Line(x1, y1, x2, y2, colour);
}

inline void FiniteCircle(DisplayWindow& window, double x, double y, double radius, int colour) {
  if (Finite({x, y, radius})) window.Circle(x, y, radius, colour);
}

inline void FinitePrint(DisplayWindow& window, double x, double y, std::string_view text) {
  if (!Finite({x, y})) return;
  window.SetPrintPosition(x, y);
  window.Print(text);
}

}  // namespace kavrel::graphs
