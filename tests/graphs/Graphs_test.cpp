// The coefficient graph and the form-factor diagrams, read back from the scripted front
// end's display lists; every expected number is worked out by hand in the comments.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <tuple>

#include "graphs/CoefficientGraph.h"
#include "graphs/FormFactorDiagram.h"
#include "tests/support/ScriptedToolkit.h"

namespace kavrel::test {
namespace {

using Doubles = std::vector<double>;

// The window's scale "(left,top) (right,bottom):" and its items from `from` up to `to`, each as
// "L (x1,y1) (x2,y2) colour/pen;", "C (x,y) radius colour/pen;" or "T (x,y) 'text' size colour;"
// (a font other than Times New Roman marked "?"); %g hides rounding in the last place.
std::string Picture(const DisplayWindow& w, std::size_t from = 0, std::size_t to = 999) {
  char s[200];
  const auto& k = w.Coordinates();
  std::snprintf(s, sizeof s, "(%g,%g) (%g,%g):", k.left, k.top, k.right, k.bottom);
  std::string out = s;
  for (std::size_t n = from; n < std::min(to, w.Items().size()); ++n, out += s) {
    if (const auto* l = std::get_if<LineItem>(&w.Items()[n]))
      std::snprintf(s, sizeof s, " L (%g,%g) (%g,%g) %d/%d;", l->x1, l->y1, l->x2, l->y2, l->colour,
                    l->penWidth);
    else if (const auto* c = std::get_if<CircleItem>(&w.Items()[n]))
      std::snprintf(s, sizeof s, " C (%g,%g) %g %d/%d;", c->x, c->y, c->radius, c->colour,
                    c->penWidth);
    else if (const auto* t = std::get_if<TextItem>(&w.Items()[n]))
      std::snprintf(s, sizeof s, " T (%g,%g) '%s' %g %d%s;", t->x, t->y, t->text.c_str(),
                    t->fontSize, t->colour, t->fontName == "Times New Roman" ? "" : "?");
  }
  return out;
}

TEST(Graphs, WorkedExamples) {
  // Runs from Fn 0.10 to 0.40 with Ctm 6.0 and 4.0.
  // R = 0.3, margins 0.2 * Fn(1) = 0.02 across, 0.2 * 6.0 above and 0.2 * 4.0 below. Axes from
  // (0.95 Fn(1), 0.95 ymin) to 0.4 + 0.01 and 1.1 * 6.0, light blue, pen 2; targets of R/150,
  // R/300, R/600 in dark red; "AP" at (0, -1.15 H), 12 points.
  ScriptedToolkit ui;
  DrawCoefficientFrame(ui, Doubles{0.1, 0.4}, Doubles{6.0, 4.0});
  EXPECT_EQ(Picture(ui.Window(WindowId::Kavrel_Form1)),
            "(0.08,7.2) (0.42,3.2): L (0.095,3.8) (0.41,3.8) 9/2; L (0.095,3.8) (0.095,6.6) 9/2;"
            " C (0.1,6) 0.002 4/1; C (0.1,6) 0.001 4/1; C (0.1,6) 0.0005 4/1; C (0.4,4) 0.002 4/1;"
            " C (0.4,4) 0.001 4/1; C (0.4,4) 0.0005 4/1; T (0,-6.9) 'AP' 12 1;");

  // CtmS 4.0, 3.6, 3.8: MINC 3.6, OFF 3.42. With (1+k) 1.1: run 3 (Cfm 3.6/1.1) Cvm 3.6, Cr 0.2,
  // Cr point at 3.62; run 1 (Cfm 3.3) Cvm 3.63, Cr 0.37 -> 3.79; run 2 (Cfm 3.2) Cvm 3.52, Cr
  // 0.08 -> 3.50. (1+k) printed at Fn(1) + 0.5 Fn(N) = 0.3 and CtmS(1).
  // A redraw starts from an empty window.
  const Doubles Fn{0.1, 0.25, 0.4}, CtmS{4.0, 3.6, 3.8};
  DrawCoefficientFrame(ui, Fn, CtmS);
  DrawCtmCurve(ui, CtmS, Fn);
  DrawCoefficientCurves(ui, Doubles{3.3, 3.2, 3.6 / 1.1}, CtmS, Fn, 1.1);
  EXPECT_EQ(Picture(ui.Window(WindowId::Kavrel_Form1), 12),
            "(0.08,4.8) (0.42,2.88): L (0.1,4) (0.25,3.6) 3/1; L (0.25,3.6) (0.4,3.8) 3/1;"
            " T (0.4,3.8) 'Ctm' 12 1; L (0.1,4) (0.25,3.6) 3/1; L (0.1,3.79) (0.25,3.5) 6/1;"
            " L (0.1,3.63) (0.25,3.52) 4/1; L (0.25,3.6) (0.4,3.8) 3/1;"
            " L (0.25,3.5) (0.4,3.62) 6/1; L (0.25,3.52) (0.4,3.6) 4/1; T (0.4,3.8) 'Ctm' 12 1;"
            " T (0.4,3.62) 'Cr' 12 1; T (0.4,3.6) 'Cvm' 12 1; T (0.3,4) '(1+k)= 1.100' 12 1;");

  // Without (1+k) the Ctm curve, its label and a note in place of the value, in the top-left
  // corner between the axes: 4 pixels (60 twips) right of the vertical axis at Fn 0.095, that is
  // 0.095 + 0.34 * 60 / 6735, and 60 twips below the top, 4.8 - 1.92 * 60 / 4095; its lines are
  // 1.15 * 12 points (276 of 4095 twips) apart.
  DrawCoefficientFrame(ui, Fn, CtmS);
  DrawCoefficientCurves(ui, Doubles(3, 3.0), CtmS, Fn, std::nullopt);
  EXPECT_EQ(Picture(ui.Window(WindowId::Kavrel_Form1), 12),
            "(0.08,4.8) (0.42,2.88): L (0.1,4) (0.25,3.6) 3/1; L (0.25,3.6) (0.4,3.8) 3/1;"
            " T (0.4,3.8) 'Ctm' 12 1; T (0.098029,4.77187) '(1+k) not found:' 12 1;"
            " T (0.098029,4.64246) 'at least two runs with' 12 1;"
            " T (0.098029,4.51305) '0.1 < Fn < 0.2 are needed' 12 1;");

  // Points at x 0.1 and 0.3: XMAX 0.3, DX 0.2 (radii DX/100 to DX/800); window -0.1 to
  // 1.2 * 0.3 by 1.7 to 0.9; the line from x 0 to XMAX, its equation at XMAX / 2.
  const Doubles x{0.1, 0.3}, y{1.15, 1.25};
  DrawFormFactorRaw(ui, x, y, StraightLine{0.5, 1.1});
  DrawFormFactorSmoothed(ui, x, y, StraightLine{-0.2, 1.15});
  EXPECT_EQ(Picture(ui.Window(WindowId::Form_Faktor_Form1)),
            "(-0.1,1.7) (0.36,0.9): L (0,1) (0.33,1) 9/2; L (0,1) (0,1.6) 9/2;"
            " C (0.1,1.15) 0.002 4/1; C (0.1,1.15) 0.001 4/1; C (0.1,1.15) 0.0005 4/1;"
            " C (0.1,1.15) 0.00025 4/1; C (0.3,1.25) 0.002 4/1; C (0.3,1.25) 0.001 4/1;"
            " C (0.3,1.25) 0.0005 4/1; C (0.3,1.25) 0.00025 4/1; L (0,1.1) (0.3,1.25) 8/1;"
            " T (0.15,1.175) 'y=  0.500x  1.100' 8 1; T (0,1) '(0,1)' 8 1;"
            " T (0.3,1) '  0.300' 8 1; T (0,1.6) '1.6' 8 1;");
  EXPECT_EQ(Picture(ui.Window(WindowId::Form_Faktor_Form2), 11, 12),
            "(-0.1,1.7) (0.36,0.9): T (0.15,1.12) 'y= -0.200x  1.150' 8 1;");
}

// A range of no size (one run at Fn 0, every Ctm 0) is widened, and points or a line that are
// missing leave only the frame and the points that can be drawn: nothing a front end could
// divide by zero or draw as NaN, and no form-factor circle without a size.
TEST(Graphs, ZeroRangesAndMissingValuesGiveOnlyFiniteItems) {
  // The raw form-factor diagram of (x, y), or else the frame of runs (Fn x, Ctm y); the number
  // of axes, circles and texts.
  using Case = std::tuple<bool, Doubles, Doubles, std::optional<StraightLine>, std::size_t>;
  for (const auto& [formFactor, x, y, line, items] : std::vector<Case>{
           {false, {0.0}, {5.0}, std::nullopt, 2 + 3 + 1},
           {false, {0.0, 0.0}, {0.0, 0.0}, std::nullopt, 2 + 6 + 1},
           {true, {}, {}, std::nullopt, 2 + 0 + 3},  // no XMAX: a default width
           {true, {0.15, 0.15}, {1.2, 1.3}, std::nullopt, 2 + 8 + 3},
           {true, {0.1, 0.2}, {std::nan(""), 1.2}, std::nullopt, 2 + 4 + 3},
           {true, {0.1, 0.2}, {1.2, 1.3}, StraightLine{std::nan(""), 1.1}, 2 + 8 + 3}}) {
    ScriptedToolkit ui;
    formFactor ? DrawFormFactorRaw(ui, x, y, line) : DrawCoefficientFrame(ui, x, y);
    const auto& w = ui.Window(formFactor ? WindowId::Form_Faktor_Form1 : WindowId::Kavrel_Form1);
    const std::string p = Picture(w);
    const auto& k = w.Coordinates();
    EXPECT_TRUE(k.right != k.left && k.bottom != k.top) << p;
    EXPECT_EQ(w.Items().size(), items) << p;
    // %g writes "nan", "-nan", "inf"; a form-factor circle of radius 0 reads " 0 4/1;".
    for (const char* bad : {"nan", "inf", formFactor ? " 0 4/1;" : "nan"})
      EXPECT_EQ(p.find(bad), std::string::npos) << p;
  }
}

}  // namespace
}  // namespace kavrel::test
