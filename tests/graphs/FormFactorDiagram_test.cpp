// The form-factor diagrams read back from the scripted front end's display lists (Picture() in
// ScriptedToolkit.h); every expected number is worked out by hand in the comments.
#include "graphs/FormFactorDiagram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/ScriptedToolkit.h"

namespace kavrel::test {
namespace {

using Doubles = std::vector<double>;

TEST(DrawFormFactorRawAndSmoothed, PointsLineAndEquation) {
  // Points at x 0.1 and 0.3: XMAX 0.3, DX 0.2 (radii DX/100 to DX/800); window -0.1 to
  // 1.2 * 0.3 by 1.7 to 0.9; the line from x 0 to XMAX, its equation at XMAX / 2.
  ScriptedToolkit ui;
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

// Points or a line that are missing leave only the frame and the points that can be drawn:
// nothing a front end could divide by zero or draw as NaN, and no circle without a size.
TEST(DrawFormFactorRaw, MissingValuesGiveOnlyFiniteItems) {
  const struct {
    Doubles x, y;
    std::optional<StraightLine> line{};
    std::size_t circles;
  } cases[] = {
      {.x = {}, .y = {}, .circles = 0},  // no XMAX: a default width
      {.x = {0.15, 0.15}, .y = {1.2, 1.3}, .circles = 8},
      {.x = {0.1, 0.2}, .y = {std::nan(""), 1.2}, .circles = 4},
      {.x = {0.1, 0.2}, .y = {1.2, 1.3}, .line = StraightLine{std::nan(""), 1.1}, .circles = 8},
  };
  for (const auto& c : cases) {
    ScriptedToolkit ui;
    DrawFormFactorRaw(ui, c.x, c.y, c.line);
    const auto& w = ui.Window(WindowId::Form_Faktor_Form1);
    const std::string p = Picture(w);
    EXPECT_TRUE(w.Coordinates().right != w.Coordinates().left &&
                w.Coordinates().bottom != w.Coordinates().top)
        << p;
    EXPECT_EQ(w.Items().size(), 2 + c.circles + 3) << p;  // axes, circles, three labels
    // %g writes "nan", "-nan", "inf"; a circle of radius 0 reads " 0 4/1;".
    for (const char* bad : {"nan", "inf", " 0 4/1;"})
      EXPECT_EQ(p.find(bad), std::string::npos) << p;
  }
}

}  // namespace
}  // namespace kavrel::test
