// The coefficient graph window Kavrel_Form1: frame, axes and measured points, the smoothed
// Ctm curve, and the final Ctm, Cvm and Cr curves with the printed form factor (1+k).
#include "graphs/CoefficientGraph.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "graphs/FiniteDrawing.h"
#include "text/NumberText.h"

namespace kavrel {

namespace {

using graphs::FiniteCircle;
using graphs::FiniteLine;
using graphs::FinitePrint;
using graphs::GraphFont;

// The window edges (low, high) as computed, unless they enclose nothing (all Fn 0, all Ctm
// 0) or are not finite: then `halfWidth` either side of the value, so that the scale exists.
std::pair<double, double> UsableRange(double low, double high, double halfWidth) {
  if (std::isfinite(low) && std::isfinite(high) && high != low) return {low, high};
  const double centre = std::isfinite(low) ? low : 0.0;
  return {centre - halfWidth, centre + halfWidth};
}

// Printed in place of the form factor when the straight line through the slow runs could
// not be fitted; one short line each, so that the note stays inside the window.
constexpr std::array<std::string_view, 3> NoFormFactorNote{
    "(1+k) not found:", "at least two runs with", "0.1 < Fn < 0.2 are needed"};

// Half-widths used when a coordinate range has no size: all Fn 0 (Froude-number scale) or all
// Ctm 0 (coefficients times 1000).
constexpr double FnHalfWidth = 0.1;
constexpr double CtmHalfWidth = 1.0;

// A box on the window as shares of its width and height from the top-left corner.
struct ShareBox {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool Overlaps(const ShareBox& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
};

// Where a point of the window's user coordinates lies, as shares from the top-left corner.
std::pair<double, double> Share(const UserCoordinates& s, double x, double y) {
  return {(x - s.left) / (s.right - s.left), (y - s.top) / (s.bottom - s.top)};
}

// Prints `lines` one below the other in the first free corner of the area between the axes:
// top left, top right, bottom left, bottom right, so that the note is clear of the axes (the
// light-blue lines) and of every text already on the window (the curve labels). Its size is
// reckoned generously at 0.55 em a character. Where no corner is free, the note goes to (x,
// y), moved only as far as needed to keep it inside the window.
void PrintNote(DisplayWindow& window, double x, double y, std::span<const std::string_view> lines) {
  const UserCoordinates& s = window.Coordinates();
  const Twips& client = window.Placement();
  if (client.width <= 0 || client.height <= 0) return;
  // Shares of the window a text of `characters` characters and `rows` lines takes up.
  const auto extent = [&](std::size_t characters, std::size_t rows, double points) {
    const double em = points * 20;  // twips
    return std::pair{0.55 * em * static_cast<double>(characters) / client.width,
                     1.15 * em * static_cast<double>(rows) / client.height};
  };
  std::size_t longest = 0;
  for (const std::string_view line : lines) longest = std::max(longest, line.size());
  const auto [width, height] = extent(longest, lines.size(), window.FontSize());
  // Four pixels of air around the note.
  const double airX = 4.0 * TwipsPerPixel / client.width;
  const double airY = 4.0 * TwipsPerPixel / client.height;

  std::vector<ShareBox> taken;
  double axisLeft = 0, axisBottom = 1;  // the axes' corner, as shares
  bool axes = false;
  for (const DrawItem& item : window.Items()) {
    if (const auto* line = std::get_if<LineItem>(&item);
        line && line->colour == Colour::LightBlue) {
      const auto [x1, y1] = Share(line->scale, line->x1, line->y1);
      const auto [x2, y2] = Share(line->scale, line->x2, line->y2);
      taken.push_back({std::min(x1, x2) - airX, std::min(y1, y2) - airY, std::max(x1, x2) + airX,
                       std::max(y1, y2) + airY});
      axisLeft = axes ? std::min({axisLeft, x1, x2}) : std::min(x1, x2);
      axisBottom = axes ? std::max({axisBottom, y1, y2}) : std::max(y1, y2);
      axes = true;
    } else if (const auto* text = std::get_if<TextItem>(&item)) {
      const auto [left, top] = Share(text->scale, text->x, text->y);
      const auto [w, h] = extent(text->text.size(), 1, text->fontSize);
      taken.push_back({left, top, left + w, top + h});
    }
  }
  const double leftmost = std::clamp(axisLeft, 0.0, 1.0) + airX;
  const double lowest = std::clamp(axisBottom, 0.0, 1.0) - airY - height;
  bool placed = false;
  for (const auto& [left, top] : {std::pair{leftmost, airY},
                                  {1 - airX - width, airY},
                                  {leftmost, lowest},
                                  {1 - airX - width, lowest}}) {
    const ShareBox note{left, top, left + width, top + height};
    if (!std::isfinite(left) || !std::isfinite(top) || left < 0 || top < 0 || note.right > 1 ||
        note.bottom > 1 || note.left < leftmost - airX / 2) {
      continue;
    }
    if (std::any_of(taken.begin(), taken.end(),
                    [&](const ShareBox& box) { return box.Overlaps(note); })) {
      continue;
    }
    x = s.left + left * (s.right - s.left);
    y = s.top + top * (s.bottom - s.top);
    placed = true;
    break;
  }
  if (!placed) {
    // Position as a share of the way from the left (top) edge to the right (bottom) edge,
    // which holds whichever way the axes run.
    const auto keepInside = [](double value, double from, double to, double share) {
      const double t = (value - from) / (to - from);
      if (!std::isfinite(t)) return value;
      return from + std::clamp(t, 0.0, std::max(0.0, 1.0 - share)) * (to - from);
    };
    x = keepInside(x, s.left, s.right, width);
    y = keepInside(y, s.top, s.bottom, height);
  }
  const double advance = LineAdvance(client, s, window.FontSize());
  for (const std::string_view line : lines) {
    FinitePrint(window, x, y, line);
    y += advance;
  }
}

}  // namespace

std::string NoFormFactorText() {
  std::string text;
  for (const std::string_view line : NoFormFactorNote) {
    if (!text.empty()) text += ' ';
    text += line;
  }
  return text + ".";
}

void DrawCoefficientFrame(Toolkit& ui, std::span<const double> Fn, std::span<const double> Ctm) {
  DisplayWindow& window = ui.Window(WindowId::Kavrel_Form1);
  assert(Ctm.size() == Fn.size());
  const std::size_t n = Fn.size();

  const double first = n > 0 ? Fn[0] : 0.0;
  const double last = n > 0 ? Fn[n - 1] : 0.0;
  const double R = last - first;
  // The extremes wherever they occur; a coefficient that could not be computed is left out.
  double ymax = 0;
  double ymin = 0;
  bool found = false;
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(Ctm[i])) continue;
    if (!found || Ctm[i] > ymax) ymax = Ctm[i];
    if (!found || Ctm[i] < ymin) ymin = Ctm[i];
    found = true;
  }
  const double H = std::max(std::fabs(ymax), std::fabs(ymin));

  // The margins on both sides come from the first run's Fn.
  const auto [xL, xR] =
      UsableRange(first - std::fabs(0.2 * first), last + std::fabs(0.2 * first), FnHalfWidth);
  const auto [yB, yT] =
      UsableRange(ymin - std::fabs(0.2 * ymin), ymax + std::fabs(0.2 * ymax), CtmHalfWidth);
  const double a0 = first - std::fabs(0.05 * first);
  const double a1 = ymin - std::fabs(0.05 * ymin);
  const double a2 = last + std::fabs(0.1 * first);
  const double a3 = 1.1 * ymax;

  window.Show();
  window.Clear();
  window.SetFontSize(8);
  window.SetFontName(GraphFont);
  window.SetTextColour(Colour::DarkBlue);
  window.SetUserCoordinates(xL, yT, xR, yB);

  window.SetPenWidth(2);
  FiniteLine(window, a0, a1, a2, a1, Colour::LightBlue);
  FiniteLine(window, a0, a1, a0, a3, Colour::LightBlue);
  window.SetPenWidth(1);

  // A target of three circles per run, radii along the abscissa.
  for (std::size_t i = 0; i < n; ++i) {
    for (const double radius : {R / 150, R / 300, R / 600}) {
      FiniteCircle(window, Fn[i], Ctm[i], radius, Colour::DarkRed);
    }
  }

  window.SetFontSize(12);
  FinitePrint(window, 0, -1.15 * H, "AP");
}

void DrawCtmCurve(Toolkit& ui, std::span<const double> CtmS, std::span<const double> Fn) {
  DisplayWindow& window = ui.Window(WindowId::Kavrel_Form1);
  assert(CtmS.size() == Fn.size());
  const std::size_t n = Fn.size();
  if (n == 0) return;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    FiniteLine(window, Fn[i], CtmS[i], Fn[i + 1], CtmS[i + 1], Colour::Cyan);
  }
  FinitePrint(window, Fn[n - 1], CtmS[n - 1], "Ctm");
}

void DrawCoefficientCurves(Toolkit& ui, std::span<const double> Cfm, std::span<const double> CtmS,
                           std::span<const double> Fn, std::optional<double> OnePlusK) {
  DisplayWindow& window = ui.Window(WindowId::Kavrel_Form1);
  assert(Cfm.size() == Fn.size() && CtmS.size() == Fn.size());
  const std::size_t n = Fn.size();
  if (n == 0) return;
  const double textX = Fn[0] + 0.5 * Fn[n - 1];
  const double textY = CtmS[0];

  if (!OnePlusK || !std::isfinite(*OnePlusK)) {
    // Without a form factor there is no Cvm and no Cr: the Ctm curve and a note.
    DrawCtmCurve(ui, CtmS.first(n), Fn.first(n));
    PrintNote(window, textX, textY, NoFormFactorNote);
    ui.Note(NoFormFactorText());
    return;
  }

  const double k = *OnePlusK;
  const auto Cvm = [&](std::size_t i) { return k * Cfm[i]; };
  const auto Cr = [&](std::size_t i) { return CtmS[i] - k * Cfm[i]; };

  // The Cr curve is shifted up to just below the smallest CtmS, so that it shares the
  // ordinate range of the other two curves.
  double MINC = CtmS[0];
  for (std::size_t i = 1; i < n; ++i) {
    if (CtmS[i] < MINC) MINC = CtmS[i];
  }
  const double OFF = MINC - std::fabs(0.05 * MINC);

  for (std::size_t i = 0; i + 1 < n; ++i) {
    FiniteLine(window, Fn[i], CtmS[i], Fn[i + 1], CtmS[i + 1], Colour::Cyan);
    FiniteLine(window, Fn[i], OFF + Cr(i), Fn[i + 1], OFF + Cr(i + 1), Colour::DarkYellow);
    FiniteLine(window, Fn[i], Cvm(i), Fn[i + 1], Cvm(i + 1), Colour::DarkRed);
  }
  const std::size_t last = n - 1;
  FinitePrint(window, Fn[last], CtmS[last], "Ctm");
  FinitePrint(window, Fn[last], OFF + Cr(last), "Cr");
  FinitePrint(window, Fn[last], Cvm(last), "Cvm");
  FinitePrint(window, textX, textY, "(1+k)=" + FormatFixed(k, 2, 3));
}

}  // namespace kavrel
