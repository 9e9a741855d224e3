// The page's plots: the plot area placed in pixels inside a window of fixed size, user
// coordinates chosen so that the axes' ends fall on it, then the grid, axes, series and legend.
#include "graphs/PagePlots.h"

#include <algorithm>
#include <cmath>

#include "formfactor/FormFactor.h"
#include "graphs/FiniteDrawing.h"
#include "graphs/Ticks.h"
#include "text/Answers.h"
#include "text/NumberText.h"

namespace kavrel {

namespace {

using graphs::Axis;
using graphs::FiniteCircle;
using graphs::FiniteLine;
using graphs::FinitePrint;

// x with `d` decimals, without leading blanks.
std::string Fixed(double x, int d) {
  return std::string(TrimBlanks(FormatFixed(x, 8, d)));
}

// The window in pixels (15 twips each) and the margins of the plot area around it.
constexpr double Width = 720, Height = 420;
constexpr double Left = 70, Right = 24, Top = 64, Bottom = 48;
constexpr double FontPoints = 9;
// Pixels of one character of the graph font, roughly: for right-aligned numbers and the legend.
constexpr double CharPixels = FontPoints * 20.0 / TwipsPerPixel * 0.5;
constexpr double LinePixels = FontPoints * 20.0 / TwipsPerPixel * 1.2;

// Pixel positions of the plot turned into user coordinates.
struct Frame {
  Axis x, y;
  double X(double px) const { return x.Low() + (px - Left) / (Width - Left - Right) * Span(x); }
  double Y(double py) const { return y.High() - (py - Top) / (Height - Top - Bottom) * Span(y); }
  static double Span(const Axis& a) { return a.High() - a.Low(); }
};

std::vector<double> Values(std::span<const PlotSeries> series, bool abscissa) {
  std::vector<double> all;
  for (const PlotSeries& s : series) {
    const std::vector<double>& v = abscissa ? s.x : s.y;
    for (std::size_t i = 0; i < v.size(); ++i) {
      const double bar = !abscissa && i < s.bars.size() ? s.bars[i] : 0;
      all.push_back(v[i] - bar);
      all.push_back(v[i] + bar);
    }
  }
  return all;
}

void DrawFrame(DisplayWindow& window, const Frame& f, const std::string& xTitle,
               const std::string& yTitle) {
  window.Show();
  window.Clear();
  window.SetFontName(graphs::GraphFont);
  window.SetFontSize(FontPoints);
  window.SetTextColour(Colour::Black);
  window.SetUserCoordinates(f.X(0), f.Y(0), f.X(Width), f.Y(Height));
  const double x0 = f.x.Low(), x1 = f.x.High(), y0 = f.y.Low(), y1 = f.y.High();
  window.SetPenWidth(1);
  for (long k = f.x.first; k <= f.x.last; ++k) {
    const double at = f.x.step.Tick(k);
    FiniteLine(window, at, y0, at, y1, Colour::LightGrey);
    const std::string label = ShortestDecimal(at);
    FinitePrint(window,
                f.X(Left + (at - x0) / Frame::Span(f.x) * (Width - Left - Right) -
                    CharPixels * static_cast<double>(label.size()) / 2),
                f.Y(Height - Bottom + 6), label);
  }
  for (long k = f.y.first; k <= f.y.last; ++k) {
    const double at = f.y.step.Tick(k);
    FiniteLine(window, x0, at, x1, at, Colour::LightGrey);
    const std::string label = ShortestDecimal(at);
    const double py = Top + (y1 - at) / Frame::Span(f.y) * (Height - Top - Bottom);
    FinitePrint(window, f.X(Left - 6 - CharPixels * static_cast<double>(label.size())),
                f.Y(py - LinePixels / 2.4), label);
  }
  FiniteLine(window, x0, y0, x1, y0, Colour::Black);
  FiniteLine(window, x0, y0, x0, y1, Colour::Black);
  FinitePrint(window, f.X(Width - Right - CharPixels * static_cast<double>(xTitle.size())),
              f.Y(Height - LinePixels - 2), xTitle);
  FinitePrint(window, f.X(8), f.Y(Top - LinePixels - 6), yTitle);
}

void DrawSeries(DisplayWindow& window, const Frame& f, const PlotSeries& s) {
  const double radius = 3.5 / (Width - Left - Right) * Frame::Span(f.x);
  const double cap = 3 / (Width - Left - Right) * Frame::Span(f.x);
  const std::size_t n = std::min(s.x.size(), s.y.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (s.points) {
      FiniteCircle(window, s.x[i], s.y[i], radius, s.colour);
      if (i < s.bars.size()) {
        const double lo = s.y[i] - s.bars[i], hi = s.y[i] + s.bars[i];
        FiniteLine(window, s.x[i], lo, s.x[i], hi, s.colour);
        FiniteLine(window, s.x[i] - cap, lo, s.x[i] + cap, lo, s.colour);
        FiniteLine(window, s.x[i] - cap, hi, s.x[i] + cap, hi, s.colour);
      }
    } else if (i + 1 < n) {
      FiniteLine(window, s.x[i], s.y[i], s.x[i + 1], s.y[i + 1], s.colour);
    }
  }
}

// The legend in the top margin, the series side by side, then `lines` below it.
void DrawLegend(DisplayWindow& window, const Frame& f, std::span<const PlotSeries> series,
                std::span<const std::string> lines) {
  double px = Left;
  const double py = 8 + LinePixels / 2;
  const double radius = 3.5 / (Width - Left - Right) * Frame::Span(f.x);
  for (const PlotSeries& s : series) {
    if (s.points) {
      FiniteCircle(window, f.X(px + 9), f.Y(py), radius, s.colour);
    } else {
      window.SetPenWidth(2);
      FiniteLine(window, f.X(px), f.Y(py), f.X(px + 18), f.Y(py), s.colour);
      window.SetPenWidth(1);
    }
    FinitePrint(window, f.X(px + 24), f.Y(8), s.label);
    px += 24 + CharPixels * static_cast<double>(s.label.size()) + 20;
  }
  double ly = 8 + LinePixels;
  for (const std::string& line : lines) {
    FinitePrint(window, f.X(Left), f.Y(ly), line);
    ly += LinePixels;
  }
}

}  // namespace

DisplayWindow PagePlot(const std::string& caption, const std::string& xTitle,
                       const std::string& yTitle, std::span<const PlotSeries> series,
                       bool xFromZero, bool yFromZero, std::span<const std::string> lines) {
  DisplayWindow window(
      WindowId::Kavrel_Form1, caption,
      {0, 0, static_cast<int>(Width) * TwipsPerPixel, static_cast<int>(Height) * TwipsPerPixel});
  const Frame f{graphs::AxisFor(Values(series, true), xFromZero),
                graphs::AxisFor(Values(series, false), yFromZero)};
  DrawFrame(window, f, xTitle, yTitle);
  window.SetPenWidth(2);
  for (const PlotSeries& s : series) {
    if (!s.points) DrawSeries(window, f, s);
  }
  window.SetPenWidth(1);
  for (const PlotSeries& s : series) {
    if (s.points) DrawSeries(window, f, s);
  }
  DrawLegend(window, f, series, lines);
  return window;
}

DisplayWindow FormFactorPlot(const std::string& caption, std::span<const double> Fn,
                             std::span<const double> ordinate, std::span<const double> Cfm,
                             const std::string& ordinateName) {
  const FormFactorPointSet points = FormFactorPoints(Fn, ordinate, Cfm);
  const std::optional<StraightLine> line = LineFit(points.x, points.y);
  std::vector<PlotSeries> series{
      {"runs with 0.1 < Fn < 0.2", points.x, points.y, Colour::DarkRed, true, {}}};
  std::vector<std::string> lines;
  if (line) {
    const double xEnd = *std::max_element(points.x.begin(), points.x.end());
    series.push_back({"least-squares line",
                      {0, xEnd},
                      {line->Intercept, line->Intercept + line->Slope * xEnd},
                      Colour::DarkBlue,
                      false,
                      {}});
    lines.push_back(ordinateName + "/Cfm = " + Fixed(line->Intercept, 4) +
                    (line->Slope < 0 ? " - " : " + ") + Fixed(std::fabs(line->Slope), 4) +
                    " Fn⁴/Cfm, so (1+k) = " + Fixed(line->Intercept, 4));
  } else {
    lines.emplace_back("(1+k) not found: at least two runs with 0.1 < Fn < 0.2 are needed.");
  }
  return PagePlot(caption, "Fn⁴/Cfm (Cfm ×1000)", ordinateName + "/Cfm", series, true, false,
                  lines);
}

}  // namespace kavrel
