// The form-factor diagrams (Prohaska plot): Ctm/Cfm against Fn^4/Cfm for the slow runs, the
// fitted straight line and its equation, on Form_Faktor_Form1 (raw) and Form_Faktor_Form2.
#include "graphs/FormFactorDiagram.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <string>
#include <string_view>

#include "graphs/FiniteDrawing.h"
#include "text/NumberText.h"

namespace kavrel {

namespace {

using graphs::FinitePrint;
using graphs::GraphFont;

// Abscissa of the right end when there is no usable last point (no form-factor point at
// all): Fn^4/Cfm of the fastest run that can qualify (Fn just under 0.2, Cfm near 0.0033).
constexpr double DefaultXmax = 0.5;

// When the points span no abscissa (one point, or all at the same place) the circles take
// their radii from the window instead: the outer one is this part of the window's width.
constexpr double RadiusPerWindowWidth = 1.0 / 150;

// Numbers on the diagram: 3 integer places and 3 decimals.
std::string Number(double x) {
  return FormatFixed(x, 3, 3);
}

void DrawFormFactor(DisplayWindow& window, std::span<const double> x, std::span<const double> y,
                    std::optional<StraightLine> line) {
  assert(y.size() == x.size());
  const std::size_t NK = x.size();

  // The points come in ascending abscissa (the runs are in ascending speed), so the last
  // one is the largest. A diagram without a usable last abscissa gets a default width.
  double XMAX = NK > 0 ? x[NK - 1] : 0.0;
  if (!(XMAX > 0) || !std::isfinite(1.2 * XMAX)) XMAX = DefaultXmax;
  const double right = 1.2 * XMAX;
  double DX = NK > 0 ? std::fabs(x[NK - 1] - x[0]) : 0.0;
  if (!(DX > 0) || !std::isfinite(DX)) DX = 100 * RadiusPerWindowWidth * (right + 0.1);

  window.Show();
  window.Clear();
  window.SetFontName(GraphFont);
  window.SetFontSize(8);
  window.SetTextColour(Colour::DarkBlue);
  // The ordinate range is fixed: form factors lie between 1 and 1.6.
  window.SetUserCoordinates(-0.1, 1.7, right, 0.9);

  window.SetPenWidth(2);
  window.Line(0, 1, 1.1 * XMAX, 1, Colour::LightBlue);
  window.Line(0, 1, 0, 1.6, Colour::LightBlue);

  window.SetPenWidth(1);
  for (std::size_t i = 0; i < NK; ++i) {
    if (!Finite({x[i], y[i]})) continue;
    for (const double divisor : {100.0, 200.0, 400.0, 800.0}) {
      window.Circle(x[i], y[i], DX / divisor, Colour::DarkRed);
    }
  }

  if (line && Finite({line->Slope, line->Intercept})) {
    const double Slope = line->Slope;
    const double Intercept = line->Intercept;
    const double yEnd = Intercept + Slope * XMAX;
    if (std::isfinite(yEnd)) window.Line(0, Intercept, XMAX, yEnd, Colour::Grey);
    FinitePrint(window, XMAX / 2, Intercept + Slope * XMAX / 2,
                "y=" + Number(Slope) + "x" + Number(Intercept));
  }

  FinitePrint(window, 0, 1, "(0,1)");
  FinitePrint(window, XMAX, 1, Number(XMAX));
  FinitePrint(window, 0, 1.6, "1.6");
}

}  // namespace

void DrawFormFactorRaw(Toolkit& ui, std::span<const double> x, std::span<const double> y,
                       std::optional<StraightLine> line) {
  DrawFormFactor(ui.Window(WindowId::Form_Faktor_Form1), x, y, line);
}

void DrawFormFactorSmoothed(Toolkit& ui, std::span<const double> x, std::span<const double> y,
                            std::optional<StraightLine> line) {
  DrawFormFactor(ui.Window(WindowId::Form_Faktor_Form2), x, y, line);
}

std::optional<double> DrawProhaskaPlot(Toolkit& ui, ProhaskaData data, std::span<const double> Fn,
                                       std::span<const double> ordinate,
                                       std::span<const double> Cfm) {
  const FormFactorPointSet points = FormFactorPoints(Fn, ordinate, Cfm);
  const std::optional<StraightLine> line = LineFit(points.x, points.y);
  if (data == ProhaskaData::Smoothed) {
    DrawFormFactorSmoothed(ui, points.x, points.y, line);
  } else {
    DrawFormFactorRaw(ui, points.x, points.y, line);
  }
  if (!line) return std::nullopt;
  return line->Intercept;
}

}  // namespace kavrel
