// The coefficient graph read back from the scripted front end's display list (Picture() in
// ScriptedToolkit.h); every expected number is worked out by hand in the comments.
#include "graphs/CoefficientGraph.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/ScriptedToolkit.h"

namespace kavrel::test {
namespace {

using Doubles = std::vector<double>;
// The frame of three runs below, and the twelve items it draws: two axes, nine circles, "AP".
const Doubles Fn{0.1, 0.25, 0.4}, CtmS{4.0, 3.6, 3.8};
constexpr std::size_t FrameItems = 12;

TEST(DrawCoefficientFrame, AxesTargetsAndTheLabel) {
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
  // A redraw starts from an empty window.
  DrawCoefficientFrame(ui, Fn, CtmS);
  EXPECT_EQ(ui.Window(WindowId::Kavrel_Form1).Items().size(), FrameItems);
}

TEST(DrawCoefficientCurves, CtmCvmAndCrWithTheFormFactor) {
  // CtmS 4.0, 3.6, 3.8: MINC 3.6, OFF 3.42. With (1+k) 1.1: run 3 (Cfm 3.6/1.1) Cvm 3.6, Cr 0.2,
  // Cr point at 3.62; run 1 (Cfm 3.3) Cvm 3.63, Cr 0.37 -> 3.79; run 2 (Cfm 3.2) Cvm 3.52, Cr
  // 0.08 -> 3.50. (1+k) printed at Fn(1) + 0.5 Fn(N) = 0.3 and CtmS(1).
  ScriptedToolkit ui;
  DrawCoefficientFrame(ui, Fn, CtmS);
  DrawCtmCurve(ui, CtmS, Fn);
  DrawCoefficientCurves(ui, Doubles{3.3, 3.2, 3.6 / 1.1}, CtmS, Fn, 1.1);
  EXPECT_EQ(Picture(ui.Window(WindowId::Kavrel_Form1), FrameItems),
            "(0.08,4.8) (0.42,2.88): L (0.1,4) (0.25,3.6) 3/1; L (0.25,3.6) (0.4,3.8) 3/1;"
            " T (0.4,3.8) 'Ctm' 12 1; L (0.1,4) (0.25,3.6) 3/1; L (0.1,3.79) (0.25,3.5) 6/1;"
            " L (0.1,3.63) (0.25,3.52) 4/1; L (0.25,3.6) (0.4,3.8) 3/1;"
            " L (0.25,3.5) (0.4,3.62) 6/1; L (0.25,3.52) (0.4,3.6) 4/1; T (0.4,3.8) 'Ctm' 12 1;"
            " T (0.4,3.62) 'Cr' 12 1; T (0.4,3.6) 'Cvm' 12 1; T (0.3,4) '(1+k)= 1.100' 12 1;");
}

TEST(DrawCoefficientCurves, ANoteInPlaceOfAMissingFormFactor) {
  // Without (1+k) the Ctm curve, its label and a note in place of the value, in the top-left
  // corner between the axes: 4 pixels (60 twips) right of the vertical axis at Fn 0.095, that is
  // 0.095 + 0.34 * 60 / 6735, and 60 twips below the top, 4.8 - 1.92 * 60 / 4095; its lines are
  // 1.15 * 12 points (276 of 4095 twips) apart.
  ScriptedToolkit ui;
  DrawCoefficientFrame(ui, Fn, CtmS);
  DrawCoefficientCurves(ui, Doubles(3, 3.0), CtmS, Fn, std::nullopt);
  EXPECT_EQ(Picture(ui.Window(WindowId::Kavrel_Form1), FrameItems),
            "(0.08,4.8) (0.42,2.88): L (0.1,4) (0.25,3.6) 3/1; L (0.25,3.6) (0.4,3.8) 3/1;"
            " T (0.4,3.8) 'Ctm' 12 1; T (0.098029,4.77187) '(1+k) not found:' 12 1;"
            " T (0.098029,4.64246) 'at least two runs with' 12 1;"
            " T (0.098029,4.51305) '0.1 < Fn < 0.2 are needed' 12 1;");
}

// A range of no size (one run at Fn 0, every Ctm 0) is widened: nothing a front end could
// divide by zero or draw as NaN.
TEST(DrawCoefficientFrame, ZeroRangesGiveOnlyFiniteItems) {
  for (const auto& [Fn0, Ctm0] :
       {std::pair{Doubles{0.0}, Doubles{5.0}}, {{0.0, 0.0}, {0.0, 0.0}}}) {
    ScriptedToolkit ui;
    DrawCoefficientFrame(ui, Fn0, Ctm0);
    const auto& w = ui.Window(WindowId::Kavrel_Form1);
    const std::string p = Picture(w);
    EXPECT_TRUE(w.Coordinates().right != w.Coordinates().left &&
                w.Coordinates().bottom != w.Coordinates().top)
        << p;
    EXPECT_EQ(w.Items().size(), 2 + 3 * Fn0.size() + 1) << p;  // axes, targets, "AP"
    // %g writes "nan", "-nan", "inf".
    EXPECT_EQ(p.find("nan"), std::string::npos) << p;
    EXPECT_EQ(p.find("inf"), std::string::npos) << p;
  }
}

}  // namespace
}  // namespace kavrel::test
