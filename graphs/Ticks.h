// Axes with labelled ticks at 1, 2 or 5 times a power of ten, shared by the pictures drawn
// for the page (the power curve, the uncertainty of Ctm).
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <string>

#include "graphs/FiniteDrawing.h"
#include "text/NumberText.h"
#include "ui/Toolkit.h"

namespace kavrel::graphs {

inline constexpr int TicksWanted = 5;

// A tick step of 1, 2 or 5 times a power of ten giving about TicksWanted ticks over `range`,
// as mantissa * 10^exponent so that tick values can be formed exactly.
struct TickStep {
  double mantissa = 1;
  int exponent = 0;
  double Value() const { return mantissa * std::pow(10.0, exponent); }
  // The k-th tick, formed so that 0.1 * 3 prints as 0.3.
  double Tick(long k) const {
    return exponent >= 0 ? static_cast<double>(k) * mantissa * std::pow(10.0, exponent)
                         : static_cast<double>(k) * mantissa / std::pow(10.0, -exponent);
  }
};

inline TickStep StepFor(double range) {
  if (!(range > 0) || !std::isfinite(range)) return {};
  const double raw = range / TicksWanted;
  int exponent = static_cast<int>(std::floor(std::log10(raw)));
  const double scaled = raw / std::pow(10.0, exponent);
  double mantissa = scaled <= 1 ? 1 : scaled <= 2 ? 2 : scaled <= 5 ? 5 : 10;
  if (mantissa == 10) {
    mantissa = 1;
    ++exponent;
  }
  return {mantissa, exponent};
}

// The axis from the lowest to the highest tick enclosing 0 and every value.
struct Axis {
  TickStep step;
  long first = 0;
  long last = 1;
  double Low() const { return step.Tick(first); }
  double High() const { return step.Tick(last); }
};

// From 0 (the power picture) or, with fromZero false, from the lowest value.
inline Axis AxisFor(std::span<const double> values, bool fromZero = true) {
  constexpr double Infinity = std::numeric_limits<double>::infinity();
  double low = fromZero ? 0 : Infinity, high = fromZero ? 0 : -Infinity;
  for (const double v : values) {
    if (!std::isfinite(v)) continue;
    low = std::min(low, v);
    high = std::max(high, v);
  }
  if (!std::isfinite(low)) low = high = 0;
  if (high == low) high = low + 1;
  Axis axis{StepFor(high - low)};
  const double step = axis.step.Value();
  axis.first = static_cast<long>(std::floor(low / step));
  axis.last = std::max(axis.first + 1, static_cast<long>(std::ceil(high / step)));
  return axis;
}

// Shows and clears the window, sets the font and the user coordinates with room for the labels,
// and draws the two axes with their ticks, tick labels and titles.
inline void DrawAxes(DisplayWindow& window, const Axis& x, const Axis& y, const std::string& xTitle,
                     const std::string& yTitle) {
  const double width = x.High() - x.Low();
  const double height = y.High() - y.Low();
  window.Show();
  window.Clear();
  window.SetFontName(GraphFont);
  window.SetFontSize(8);
  window.SetTextColour(Colour::DarkBlue);
  // Room for the tick labels left and below, for the titles above and right.
  window.SetUserCoordinates(x.Low() - 0.16 * width, y.High() + 0.12 * height,
                            x.High() + 0.06 * width, y.Low() - 0.14 * height);

  window.SetPenWidth(2);
  FiniteLine(window, x.Low(), y.Low(), x.High(), y.Low(), Colour::LightBlue);
  FiniteLine(window, x.Low(), y.Low(), x.Low(), y.High(), Colour::LightBlue);
  window.SetPenWidth(1);
  for (long k = x.first; k <= x.last; ++k) {
    const double at = x.step.Tick(k);
    FiniteLine(window, at, y.Low(), at, y.Low() - 0.02 * height, Colour::LightBlue);
    FinitePrint(window, at - 0.015 * width, y.Low() - 0.03 * height, ShortestDecimal(at));
  }
  for (long k = y.first; k <= y.last; ++k) {
    const double at = y.step.Tick(k);
    FiniteLine(window, x.Low(), at, x.Low() - 0.015 * width, at, Colour::LightBlue);
    FinitePrint(window, x.Low() - 0.14 * width, at + 0.03 * height, ShortestDecimal(at));
  }
  FinitePrint(window, x.High() - 0.08 * width, y.Low() - 0.08 * height, xTitle);
  FinitePrint(window, x.Low() - 0.14 * width, y.High() + 0.1 * height, yTitle);
}

}  // namespace kavrel::graphs
