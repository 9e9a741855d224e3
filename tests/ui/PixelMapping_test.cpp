// User-to-pixel mapping, print-position advance, segment clipping and circle culling of the
// desktop front end, without a display. Expected values are worked out by hand.
#include "ui/PixelMapping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <tuple>
#include <vector>

namespace kavrel {
namespace {

const double NaN = std::nan("");
// Pixel positions are products and quotients of a few values of order 1 to 1000.
constexpr double Rounding = 1e-9;
// A clipped end lies on its edge to the last bits of values of order 10.
constexpr double ClipRounding = 1e-12;

// A printed line is 1.15 times the font size high and a point is 20 twips, so at 15 twips to
// the pixel consecutive prints are 1.15 * 20 / 15 pixels per point apart, downwards on the
// screen whichever way the ordinate runs, each from the left edge.
TEST(PixelMapping, UserCoordinatesPrintPositionsAndCircles) {
  const struct {
    UserCoordinates scale;
    PixelSize size;
    double x{}, y{}, px{}, py{};   // a user point and its pixel position
    double radius{}, pixels{};     // a radius and its length in pixels
    double fontSize{}, advance{};  // the print position's advance in pixels
  } cases[] = {
      // The text window: 0..100 across and down, 6660 x 5835 twips = 444 x 389 pixels.
      {{0, 0, 100, 100}, {444, 389}, 25, 80, 111, 311.2, -10, 44.4, 10, 15 + 1.0 / 3},
      // A form-factor diagram: -0.1..1.2 across, 1.7 at the top, 0.9 below: 273 * 0.875 down;
      // y grows upwards, the radius follows the abscissa only. (The coefficient graph's mapping
      // is checked in its SVG picture, its print advance in the drawing of its note.)
      {{-0.1, 1.7, 1.2, 0.9}, {317, 273}, 0, 1, 317 / 13.0, 238.875, 0.13, 31.7, 8, 12 + 4.0 / 15},
  };
  for (const auto& c : cases) {
    const PixelMap map(c.scale, c.size);
    EXPECT_NEAR(map.X(c.x), c.px, Rounding) << c.x;
    EXPECT_NEAR(map.Y(c.y), c.py, Rounding) << c.y;
    EXPECT_NEAR(map.Radius(c.radius), c.pixels, Rounding);
    DisplayWindow window(WindowId::Ekran_Form1, "", {0, 0, 15 * c.size.width, 15 * c.size.height});
    window.SetUserCoordinates(c.scale.left, c.scale.top, c.scale.right, c.scale.bottom);
    window.SetFontSize(c.fontSize);
    window.SetPrintPosition(c.x, c.y);
    window.Print("first");
    window.Print("second");
    const auto& second = std::get<TextItem>(window.Items()[1]);
    EXPECT_NEAR(map.Y(second.y) - c.py, c.advance, Rounding) << c.fontSize;
    EXPECT_NEAR(map.X(second.x), 0, Rounding);
  }
  // 4/3 pixel to a point, at least one pixel.
  EXPECT_EQ(std::vector({FontPixels(8, 1), FontPixels(12, 0.5), FontPixels(NaN, 1)}),
            std::vector({11, 8, 1}));

  // No width (one run at Fn 0), not finite, or wider than the largest double: nothing can be
  // placed.
  for (const UserCoordinates& scale :
       {UserCoordinates{0.1, 5, 0.1, 3}, {NaN, 0, 1, 1}, {-DBL_MAX, 0, DBL_MAX, 1}}) {
    const PixelMap map(scale, {449, 273});
    EXPECT_FALSE(map.Valid() || LinePixels(map, {0, 0, 1, 1}) || CirclePixels(map, 0, 0, 0.1) ||
                 TextPixels(map, 0.5, 0.5));
  }

  // Circles on the coefficient graph: placed, or culled when nothing of them can show.
  const PixelMap graph({0.08, 7.2, 0.42, 3.2}, {449, 273});
  using Circle = std::tuple<double, double, double, std::tuple<int, int, int>>;
  for (const auto& [x, y, r, pixels] : std::vector<Circle>{
           {0.25, 5.2, 0.002, {225, 137, 3}},  // a run marker (224.5, 136.5, 2.64)
           {0.25, 5.2, 0, {225, 137, 0}},      // one run: radius 0, a dot
           {0.25, 5.2, 1e6, {-1, -1, -1}},     // culled: round the whole window
           {100.25, 5.2, 100, {-1, -1, -1}},   // its outline crosses, too large to draw
           {0.25, NaN, 0.002, {-1, -1, -1}},
       }) {
    const auto c = CirclePixels(graph, x, y, r).value_or(PixelCircle{-1, -1, -1});
    EXPECT_EQ(std::tie(c.x, c.y, c.radius), pixels) << x << " " << r;
  }
}

TEST(ClipSegment, ExactCasesWithExtremeValues) {
  const double big = 1e300;
  const struct {
    Segment in;
    bool kept = false;
    Segment out;
  } cases[] = {
      {{1, 2, 3, 4}, true, {1, 2, 3, 4}},        // inside: unchanged
      {{-2, 9, 2, 13}, false, {}},               // past the corner, touching nothing
      {{-big, 5, big, 5}, true, {0, 5, 10, 5}},  // far ends
      // One end far away: the cut is placed from the near end, not swamped by 1e300.
      {{-big, -big, 1, 1}, true, {0, 0, 1, 1}},
      {{5, 5, 5 + 1e-9, big}, true, {5, 5, 5 + 1e-9 * 5 / (big - 5), 10}},
      {{NaN, 3, 4, 5}, false, {}},  // not a number
  };
  for (const auto& c : cases) {
    const auto out = ClipSegment(c.in, {0, 0, 10, 10});
    ASSERT_EQ(out.has_value(), c.kept) << c.in.x1 << " " << c.in.y1 << " " << c.in.x2;
    EXPECT_TRUE(!out || std::max({std::fabs(out->x1 - c.out.x1), std::fabs(out->y1 - c.out.y1),
                                  std::fabs(out->x2 - c.out.x2), std::fabs(out->y2 - c.out.y2)}) <
                            ClipRounding);
  }
}

}  // namespace
}  // namespace kavrel
