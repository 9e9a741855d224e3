// The coefficient graph and the form-factor diagrams, read back from the scripted front
// end's display lists; every expected number is worked out by hand in the comments.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "graphs/CoefficientGraph.h"
#include "graphs/FormFactorDiagram.h"
#include "tests/support/ScriptedToolkit.h"

namespace kavrel::testing {
namespace {

using Doubles = std::vector<double>;

std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", std::fabs(v) < 1e-12 ? 0.0 : v);
  return text;
}
std::string Pair(double x, double y) {
  return "(" + Num(x) + "," + Num(y) + ")";
}

// One display item as a short text: "L (x1,y1) (x2,y2) colour/pen", "C (x,y) radius colour/pen",
// "T (x,y) 'text' size colour". Six significant digits hide rounding in the last place.
std::string Describe(const DrawItem& item) {
  if (const auto* l = std::get_if<LineItem>(&item)) {
    return "L " + Pair(l->x1, l->y1) + " " + Pair(l->x2, l->y2) + " " + std::to_string(l->colour) +
           "/" + std::to_string(l->penWidth);
  }
  if (const auto* c = std::get_if<CircleItem>(&item)) {
    return "C " + Pair(c->x, c->y) + " " + Num(c->radius) + " " + std::to_string(c->colour) + "/" +
           std::to_string(c->penWidth);
  }
  const auto& t = std::get<TextItem>(item);
  return "T " + Pair(t.x, t.y) + " '" + t.text + "' " + Num(t.fontSize) + " " +
         std::to_string(t.colour) + (t.fontName == "Times New Roman" ? "" : " " + t.fontName);
}

std::vector<std::string> Described(const DisplayWindow& w, std::size_t from = 0) {
  std::vector<std::string> out;
  for (std::size_t i = from; i < w.Items().size(); ++i) out.push_back(Describe(w.Items()[i]));
  return out;
}

std::string Scale(const DisplayWindow& w) {
  const auto& s = w.Coordinates();
  return Pair(s.left, s.top) + " " + Pair(s.right, s.bottom);
}

// Nothing a front end could divide by zero or draw as NaN: a scale with a size, no number
// (nor number text) that is not finite.
bool AllFinite(const DisplayWindow& w) {
  const auto& s = w.Coordinates();
  if (!std::isfinite(s.right - s.left) || !std::isfinite(s.bottom - s.top) || s.right == s.left ||
      s.bottom == s.top) {
    return false;
  }
  for (std::string d : Described(w)) {
    for (char& c : d) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (d.find("nan") != std::string::npos || d.find("inf") != std::string::npos) return false;
  }
  return true;
}

TEST(CoefficientGraph, FrameOfRunsFromFn010To040WithCtm40To60) {
  ScriptedToolkit ui;
  DrawCoefficientFrame(ui, Doubles{0.1, 0.2, 0.3, 0.4}, Doubles{6.0, 4.0, 4.5, 5.0}, "");
  const DisplayWindow& w = ui.Window(WindowId::Kavrel_Form1);
  EXPECT_TRUE(w.Shown());
  // R = 0.3, margins 0.2 * Fn(1) = 0.02 across, 0.2 * 6.0 above and 0.2 * 4.0 below.
  EXPECT_EQ(Scale(w), "(0.08,7.2) (0.42,3.2)");
  const auto items = Described(w);
  ASSERT_EQ(items.size(), 2u + 12u + 2u);
  // Axes from (0.95 Fn(1), 0.95 ymin) to 0.4 + 0.01 and 1.1 * 6.0, light blue, pen 2.
  EXPECT_EQ(items[0], "L (0.095,3.8) (0.41,3.8) 9/2");
  EXPECT_EQ(items[1], "L (0.095,3.8) (0.095,6.6) 9/2");
  // Targets of R/150, R/300, R/600 in dark red, the first run first.
  EXPECT_EQ(items[2], "C (0.1,6) 0.002 4/1");
  EXPECT_EQ(items[3], "C (0.1,6) 0.001 4/1");
  EXPECT_EQ(items[4], "C (0.1,6) 0.0005 4/1");
  EXPECT_EQ(items[13], "C (0.4,5) 0.0005 4/1");
  // Caption at (-0.4 R, 1.3 H), "AP" at (0, -1.15 H) in 12 points.
  EXPECT_EQ(items[14], "T (-0.12,7.8) '' 8 1");
  EXPECT_EQ(items[15], "T (0,-6.9) 'AP' 12 1");
  EXPECT_EQ(w.PenWidth(), 1);
  EXPECT_EQ(w.FontSize(), 12);
  // A redraw starts from an empty window.
  DrawCoefficientFrame(ui, Doubles{0.1, 0.2, 0.3, 0.4}, Doubles{6.0, 4.0, 4.5, 5.0}, "");
  EXPECT_EQ(w.Items().size(), 16u);
}

TEST(CoefficientGraph, RangesOfOneRunAndOfZeroSize) {
  const struct {
    Doubles Fn, Ctm;
    const char* scale;  // empty where a zero-size range must be widened around 0
  } cases[] = {
      {{0.2}, {5.0}, "(0.16,6) (0.24,4)"},
      {{0.0, 0.3}, {4.0, 6.0}, "(0,7.2) (0.3,3.2)"},  // Fn(1) = 0 alone leaves a width
      {{0.1, 0.2}, {-2.0, -1.0}, "(0.08,-0.8) (0.22,-2.4)"},
      {{0.0}, {5.0}, ""},
      {{0.2, 0.3}, {0.0, 0.0}, ""},
      {{0.0, 0.0}, {0.0, 0.0}, ""},
  };
  for (const auto& c : cases) {
    ScriptedToolkit ui;
    DrawCoefficientFrame(ui, c.Fn, c.Ctm, "");
    const DisplayWindow& w = ui.Window(WindowId::Kavrel_Form1);
    SCOPED_TRACE(Scale(w));
    EXPECT_TRUE(AllFinite(w));
    if (*c.scale) {
      EXPECT_EQ(Scale(w), c.scale);
    }
    EXPECT_EQ(w.Items().size(), 2 + 3 * c.Fn.size() + 2);
  }
}

TEST(CoefficientGraph, CurvesLabelsAndFormFactor) {
  // CtmS 4.0, 3.6, 3.8: MINC 3.6, OFF 3.42. Run 3 (Cfm 3.0, (1+k) 1.2): Cvm 3.6, Cr 0.2, Cr
  // point at 3.62; run 1: Cvm 3.84, Cr 0.16 -> 3.58; run 2: Cvm 3.72, Cr -0.12 -> 3.30.
  const Doubles Fn{0.1, 0.25, 0.4}, CtmS{4.0, 3.6, 3.8}, Cfm{3.2, 3.1, 3.0};
  ScriptedToolkit ui;
  DrawCoefficientFrame(ui, Fn, CtmS, "");
  const DisplayWindow& w = ui.Window(WindowId::Kavrel_Form1);
  const std::size_t frame = w.Items().size();
  DrawCtmCurve(ui, CtmS, Fn);
  EXPECT_EQ(Described(w, frame),
            (std::vector<std::string>{"L (0.1,4) (0.25,3.6) 3/1", "L (0.25,3.6) (0.4,3.8) 3/1",
                                      "T (0.4,3.8) 'Ctm' 12 1"}));
  DrawCoefficientCurves(ui, Cfm, CtmS, Fn, 1.2);
  EXPECT_EQ(Described(w, frame + 3),
            (std::vector<std::string>{"L (0.1,4) (0.25,3.6) 3/1", "L (0.1,3.58) (0.25,3.3) 6/1",
                                      "L (0.1,3.84) (0.25,3.72) 4/1", "L (0.25,3.6) (0.4,3.8) 3/1",
                                      "L (0.25,3.3) (0.4,3.62) 6/1", "L (0.25,3.72) (0.4,3.6) 4/1",
                                      "T (0.4,3.8) 'Ctm' 12 1", "T (0.4,3.62) 'Cr' 12 1",
                                      "T (0.4,3.6) 'Cvm' 12 1",
                                      // At Fn(1) + 0.5 Fn(N) = 0.3 and CtmS(1).
                                      "T (0.3,4) '(1+k)= 1.200' 12 1"}));

  const struct {
    Doubles CtmS;
    double OnePlusK;
    const char* crLabel;  // OFF + CtmS(N) - (1+k) with Cfm 1
    const char* formFactor;
  } cases[] = {
      {{4.0, 5.0}, 1.1, "T (0.4,7.7) 'Cr' 12 1", "T (0.3,4) '(1+k)= 1.100' 12 1"},
      // A negative MINC: OFF = 1.05 * -2.0 = -2.1 moves the Cr curve down.
      {{-2.0, -1.0}, 1.0, "T (0.4,-4.1) 'Cr' 12 1", "T (0.3,-2) '(1+k)= 1.000' 12 1"},
      {{4.0, 5.0}, 123.4, "T (0.4,-114.6) 'Cr' 12 1", "T (0.3,4) '(1+k)=123.400%' 12 1"},
  };
  for (const auto& c : cases) {
    ScriptedToolkit one;
    DrawCoefficientFrame(one, Doubles{0.1, 0.4}, c.CtmS, "");
    DrawCoefficientCurves(one, Doubles{1.0, 1.0}, c.CtmS, Doubles{0.1, 0.4}, c.OnePlusK);
    const auto items = Described(one.Window(WindowId::Kavrel_Form1));
    EXPECT_EQ(items[items.size() - 3], c.crLabel);
    EXPECT_EQ(items.back(), c.formFactor);
  }
}

TEST(CoefficientGraph, WithoutFormFactorTheCtmCurveAndANoteInsideTheWindow) {
  const struct {
    Doubles Fn, CtmS;
    const char* firstLine;
  } cases[] = {
      // Window 0.016 to 0.304: the longest line (25 characters of at most half an em of 12
      // points: 3000 of 6735 twips) fits from Fn(1) + 0.5 Fn(N) = 0.17.
      {{0.02, 0.2, 0.3}, {5.8, 4.2, 5.1}, "T (0.17,5.8) '(1+k) not found:' 12 1"},
      // No slow runs: 0.2 + 0.2 = 0.4 is near the right edge 0.44, so the note moves left
      // to 0.44 - 0.28 * 3000 / 6735; CtmS(1) is at the bottom, three lines of 1.15 * 12
      // points (828 of 4095 twips) move it up to 3.2 + 4.0 * 828 / 4095.
      {{0.2, 0.3, 0.4}, {4.0, 4.5, 6.0}, "T (0.315278,4.00879) '(1+k) not found:' 12 1"},
  };
  for (const auto& c : cases) {
    ScriptedToolkit ui;
    DrawCoefficientFrame(ui, c.Fn, c.CtmS, "");
    DrawCoefficientCurves(ui, Doubles(c.Fn.size(), 3.0), c.CtmS, c.Fn, std::nullopt);
    const DisplayWindow& w = ui.Window(WindowId::Kavrel_Form1);
    EXPECT_TRUE(AllFinite(w));
    const auto items = Described(w, 2 + 9 + 2);
    ASSERT_EQ(items.size(), 2u + 1u + 3u);  // the Ctm curve only, its label, the note
    EXPECT_EQ(items[0].substr(items[0].size() - 3), "3/1");
    EXPECT_EQ(items[3], c.firstLine);
    EXPECT_EQ(PrintedTexts(w).back(), "0.1 < Fn < 0.2 are needed");
  }
}

TEST(FormFactorDiagram, PointsLineAndEquation) {
  // Points from x 0.1 to 0.3: XMAX 0.3, DX 0.2; window -0.1 to 1.2 * 0.3.
  const Doubles x{0.1, 0.2, 0.3}, y{1.15, 1.2, 1.25};
  ScriptedToolkit ui;
  DrawFormFactorRaw(ui, x, y, StraightLine{0.5, 1.1});
  const DisplayWindow& raw = ui.Window(WindowId::Form_Faktor_Form1);
  EXPECT_EQ(Scale(raw), "(-0.1,1.7) (0.36,0.9)");
  const auto items = Described(raw);
  ASSERT_EQ(items.size(), 2u + 12u + 1u + 4u);
  EXPECT_EQ(items[0], "L (0,1) (0.33,1) 9/2");
  EXPECT_EQ(items[1], "L (0,1) (0,1.6) 9/2");
  EXPECT_EQ(items[2], "C (0.1,1.15) 0.002 4/1");
  EXPECT_EQ(items[13], "C (0.3,1.25) 0.00025 4/1");
  EXPECT_EQ(items[14], "L (0,1.1) (0.3,1.25) 8/1");
  EXPECT_EQ(items[15], "T (0.15,1.175) 'y=  0.500x  1.100' 8 1");
  EXPECT_EQ(items[16], "T (0,1) '(0,1)' 8 1");
  EXPECT_EQ(items[17], "T (0.3,1) '  0.300' 8 1");
  EXPECT_EQ(items[18], "T (0,1.6) '1.6' 8 1");

  DrawFormFactorSmoothed(ui, x, y, StraightLine{-0.2, 1.15});
  EXPECT_EQ(Described(ui.Window(WindowId::Form_Faktor_Form2))[15],
            "T (0.15,1.12) 'y= -0.200x  1.150' 8 1");
}

TEST(FormFactorDiagram, WithoutALineOnlyFrameAndVisiblePoints) {
  const double nan = std::nan("");
  const struct {
    Doubles x, y;
    std::optional<StraightLine> line;
    std::size_t circles;
  } cases[] = {
      {{}, {}, std::nullopt, 0},  // no XMAX: a default width
      {{0.15}, {1.2}, std::nullopt, 4},
      {{0.15, 0.15}, {1.2, 1.3}, std::nullopt, 8},
      {{0.1, 0.2}, {nan, 1.2}, std::nullopt, 4},
      {{0.1, 0.2}, {1.2, 1.3}, StraightLine{nan, 1.1}, 8},
  };
  for (const auto& c : cases) {
    ScriptedToolkit ui;
    DrawFormFactorRaw(ui, c.x, c.y, c.line);
    const DisplayWindow& w = ui.Window(WindowId::Form_Faktor_Form1);
    EXPECT_TRUE(AllFinite(w));
    const auto items = Described(w);
    ASSERT_EQ(items.size(), 2 + c.circles + 3);  // axes, circles, three axis labels
    const double width = w.Coordinates().right - w.Coordinates().left;
    for (std::size_t i = 2; i < 2 + c.circles; ++i) {
      const double radius = std::get<CircleItem>(w.Items()[i]).radius;
      EXPECT_GT(radius, width / 10000);
      EXPECT_LT(radius, width / 20);
    }
    EXPECT_EQ(PrintedTexts(w).front(), "(0,1)");
  }
}

}  // namespace
}  // namespace kavrel::testing
