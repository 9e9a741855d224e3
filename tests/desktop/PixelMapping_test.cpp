// User-to-pixel mapping, print-position advance, segment clipping and circle culling of the
// desktop front end, without a display. Expected values are worked out by hand.
#include "toolkit/PixelMapping.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace kavrel {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(PixelMapping, UserCoordinatesToPixels) {
  struct Case {
    UserCoordinates scale;
    PixelSize size;
    double x, y;            // user point
    double px, py;          // its pixel position
    double radius, pixels;  // a radius and its length in pixels
  };
  const std::vector<Case> cases = {
      // The text window: 0..100 across and down, 6660 x 5835 twips = 444 x 389 pixels.
      {{0, 0, 100, 100}, {444, 389}, 100, 100, 444, 389, 1, 4.44},
      {{0, 0, 100, 100}, {444, 389}, 25, 80, 111, 311.2, -10, 44.4},
      // The coefficient graph of Fn 0.10..0.40, Ctm 4..6: x 0.08..0.42, y 7.2 (top) down to
      // 3.2, on 449 x 273 pixels; y grows upwards, the radius follows the abscissa only.
      {{0.08, 7.2, 0.42, 3.2}, {449, 273}, 0.25, 5.2, 224.5, 136.5, 0.002, 0.002 / 0.34 * 449},
      // A form-factor diagram: -0.1..1.2 XMAX across (XMAX = 1), 1.7 at the top, 0.9 below.
      {{-0.1, 1.7, 1.2, 0.9}, {317, 273}, 0, 1, 317 / 13.0, 273 * 0.875, 0.01, 317 / 130.0},
  };
  for (const Case& c : cases) {
    const PixelMap map(c.scale, c.size);
    ASSERT_TRUE(map.Valid());
    EXPECT_NEAR(map.X(c.x), c.px, 1e-9) << c.x;
    EXPECT_NEAR(map.Y(c.y), c.py, 1e-9) << c.y;
    EXPECT_NEAR(map.Radius(c.radius), c.pixels, 1e-9);
  }
}

TEST(PixelMapping, ScalesThatPlaceNothing) {
  const std::vector<UserCoordinates> scales = {
      {0.1, 5, 0.1, 3},          // no width: one run at Fn 0
      {0.1, 0, 0.3, 0},          // no height: every Ctm 0
      {NaN, 0, 1, 1},            // not a number
      {0, Inf, 1, 1},            // infinite
      {-DBL_MAX, 0, DBL_MAX, 1}  // a width beyond the largest double
  };
  for (const auto& scale : scales) {
    const PixelMap map(scale, {449, 273});
    EXPECT_FALSE(map.Valid());
    EXPECT_FALSE(LinePixels(map, {0, 0, 1, 1}));
    EXPECT_FALSE(CirclePixels(map, 0.5, 0.5, 0.1));
    EXPECT_FALSE(TextPixels(map, 0.5, 0.5));
  }
  EXPECT_FALSE(PixelMap({0, 0, 1, 1}, {0, 273}).Valid());
}

// A printed line is 1.15 times the font size high and a point is 20 twips, so at 15 twips
// to the pixel consecutive prints are 1.15 * 20 / 15 pixels per point apart, downwards on
// the screen whichever way the ordinate runs.
TEST(PixelMapping, PrintPositionAdvancesOneLineDown) {
  struct Case {
    UserCoordinates scale;
    double fontSize;
    double expectedPixels;
  };
  const std::vector<Case> cases = {{{0, 0, 100, 100}, 10, 15.0 + 1.0 / 3},
                                   {{0, 0, 100, 100}, 8, 12.0 + 4.0 / 15},
                                   {{-0.1, 1.7, 1.2, 0.9}, 8, 12.0 + 4.0 / 15},
                                   {{0.08, 7.2, 0.42, 3.2}, 12, 18.4}};
  for (const Case& c : cases) {
    DisplayWindow window(WindowId::Ekran_Form1, "Form1", {285, 4860, 6660, 5835});
    window.SetUserCoordinates(c.scale.left, c.scale.top, c.scale.right, c.scale.bottom);
    window.SetFontSize(c.fontSize);
    window.SetPrintPosition(c.scale.left + 0.5 * (c.scale.right - c.scale.left),
                            c.scale.top + 0.1 * (c.scale.bottom - c.scale.top));
    window.Print("first");
    window.Print("second");
    const auto& first = std::get<TextItem>(window.Items()[0]);
    const auto& second = std::get<TextItem>(window.Items()[1]);
    const PixelMap map(c.scale, NominalPixels(window.Placement()));
    EXPECT_NEAR(map.Y(second.y) - map.Y(first.y), c.expectedPixels, 1e-9) << c.fontSize;
    EXPECT_NEAR(map.Y(first.y), 38.9, 1e-9);
    EXPECT_NEAR(map.X(second.x), 0, 1e-9);  // the next line starts at the left edge
  }
}

TEST(PixelMapping, FontSizesInPixels) {
  EXPECT_EQ(FontPixels(8, 1), 11);   // 10.67
  EXPECT_EQ(FontPixels(10, 1), 13);  // 13.33
  EXPECT_EQ(FontPixels(12, 1), 16);
  EXPECT_EQ(FontPixels(12, 0.5), 8);
  EXPECT_EQ(FontPixels(0, 1), 1);
  EXPECT_EQ(FontPixels(NaN, 1), 1);
}

TEST(ClipSegment, ExactCases) {
  const Box box{0, 0, 10, 10};
  struct Case {
    Segment in;
    bool kept;
    Segment out;
  };
  const double big = 1e300;
  const std::vector<Case> cases = {
      {{1, 2, 3, 4}, true, {1, 2, 3, 4}},        // inside: unchanged
      {{0, 0, 10, 10}, true, {0, 0, 10, 10}},    // corner to corner
      {{-5, 5, 15, 5}, true, {0, 5, 10, 5}},     // across
      {{5, -5, 5, 15}, true, {5, 0, 5, 10}},     // up
      {{15, 5, -5, 5}, true, {10, 5, 0, 5}},     // direction kept
      {{-5, 0, 5, 10}, true, {0, 5, 5, 10}},     // through the left edge
      {{-1, -1, -2, 5}, false, {}},              // beside
      {{11, 11, 20, 20}, false, {}},             // beyond the corner
      {{-2, 9, 2, 13}, false, {}},               // past the corner, touching nothing
      {{-big, 5, big, 5}, true, {0, 5, 10, 5}},  // far ends, horizontal
      {{3, -DBL_MAX, 3, DBL_MAX}, true, {3, 0, 3, 10}},
      // One end far away: the cut is placed from the near end, not swamped by 1e300.
      {{-big, -big, 1, 1}, true, {0, 0, 1, 1}},
      {{5, 5, big, 0.5 * big}, true, {5, 5, 10, 7.5}},
      {{5, 5, 5 + 1e-9, big}, true, {5, 5, 5 + 1e-9 * 5 / (big - 5), 10}},
      {{big, big, 2 * big, 3 * big}, false, {}},
      {{2, 3, 2, 3}, true, {2, 3, 2, 3}},  // a point inside
      {{12, 3, 12, 3}, false, {}},         // a point outside
      {{NaN, 3, 4, 5}, false, {}},
      {{1, 3, Inf, 5}, false, {}},
      {{1, 3, 4, -Inf}, false, {}},
  };
  for (const Case& c : cases) {
    const auto out = ClipSegment(c.in, box);
    ASSERT_EQ(out.has_value(), c.kept)
        << c.in.x1 << " " << c.in.y1 << " " << c.in.x2 << " " << c.in.y2;
    if (!out) continue;
    EXPECT_NEAR(out->x1, c.out.x1, 1e-12);
    EXPECT_NEAR(out->y1, c.out.y1, 1e-12);
    EXPECT_NEAR(out->x2, c.out.x2, 1e-12);
    EXPECT_NEAR(out->y2, c.out.y2, 1e-12);
  }
}

// Reference clip in long double over moderate values: the parameters where the segment
// enters and leaves the box.
struct Reference {
  bool kept = false;
  long double t0 = 0, t1 = 1;
};
Reference ReferenceClip(const Segment& s, const Box& b) {
  const long double dx = s.x2 - static_cast<long double>(s.x1);
  const long double dy = s.y2 - static_cast<long double>(s.y1);
  const long double p[] = {-dx, dx, -dy, dy};
  const long double q[] = {s.x1 - static_cast<long double>(b.left), b.right - s.x1,
                           s.y1 - static_cast<long double>(b.bottom), b.top - s.y1};
  Reference r;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0 && q[i] < 0) return r;
    if (p[i] < 0) r.t0 = std::max(r.t0, q[i] / p[i]);
    if (p[i] > 0) r.t1 = std::min(r.t1, q[i] / p[i]);
  }
  r.kept = r.t0 <= r.t1;
  return r;
}

double RandomValue(std::mt19937_64& random) {
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> kind(0, 9);
  std::uniform_int_distribution<int> exponent(-320, 308);
  switch (kind(random)) {
    case 0:
      return unit(random) * DBL_MAX;
    case 1:
      return unit(random) * std::pow(10.0, exponent(random));
    case 2:
      return std::copysign(DBL_MAX, unit(random));
    case 3:
      return 0;
    case 4:
      return unit(random) * 1e300;
    default:
      return 5 + 20 * unit(random);  // near the box
  }
}

// Whatever comes in, what comes out lies in the box and nothing is undefined; an end that
// was inside stays exactly where it was.
TEST(ClipSegment, FuzzWithExtremeValues) {
  std::mt19937_64 random(20240611);
  const Box box{-3, 1, 7, 4};
  for (int n = 0; n < 200000; ++n) {
    const Segment s{RandomValue(random), RandomValue(random), RandomValue(random),
                    RandomValue(random)};
    const auto out = ClipSegment(s, box);
    if (!out) continue;
    for (double x : {out->x1, out->x2}) {
      ASSERT_TRUE(x >= box.left && x <= box.right) << x;
    }
    for (double y : {out->y1, out->y2}) {
      ASSERT_TRUE(y >= box.bottom && y <= box.top) << y;
    }
    const auto inside = [&](double x, double y) {
      return x >= box.left && x <= box.right && y >= box.bottom && y <= box.top;
    };
    if (inside(s.x1, s.y1)) {
      ASSERT_TRUE(out->x1 == s.x1 && out->y1 == s.y1);
    }
    if (inside(s.x2, s.y2)) {
      ASSERT_TRUE(out->x2 == s.x2 && out->y2 == s.y2);
    }
    // With one end inside, the cut end lies on the line however far the other end is.
    const long double ux = s.x2 * 0.5L - s.x1 * 0.5L, uy = s.y2 * 0.5L - s.y1 * 0.5L;
    const long double length = std::max(std::fabs(ux), std::fabs(uy));
    if (length == 0) continue;
    if (inside(s.x1, s.y1)) {
      const long double cross = ((out->x2 - s.x1) * uy - (out->y2 - s.y1) * ux) / length;
      ASSERT_LE(std::fabs(cross), 1e-12L) << s.x1 << " " << s.y1 << " " << s.x2 << " " << s.y2;
    }
    if (inside(s.x2, s.y2)) {
      const long double cross = ((out->x1 - s.x2) * uy - (out->y1 - s.y2) * ux) / length;
      ASSERT_LE(std::fabs(cross), 1e-12L) << s.x1 << " " << s.y1 << " " << s.x2 << " " << s.y2;
    }
  }
}

// Over moderate values the clip agrees with a long-double reference: kept or dropped alike
// (away from grazing cases), and the cut ends lie on the segment where the reference puts them.
TEST(ClipSegment, FuzzAgainstReference) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> coordinate(-1e6, 1e6);
  std::uniform_real_distribution<double> near(-30, 30);
  const Box box{-3, 1, 7, 4};
  int kept = 0;
  for (int n = 0; n < 200000; ++n) {
    const bool wide = n % 2 == 0;
    const Segment s{wide ? coordinate(random) : near(random), near(random), near(random),
                    wide ? coordinate(random) : near(random)};
    const Reference ref = ReferenceClip(s, box);
    const auto out = ClipSegment(s, box);
    if (std::fabs(static_cast<double>(ref.t1 - ref.t0)) < 1e-9) continue;  // grazing
    ASSERT_EQ(out.has_value(), ref.kept);
    if (!out) continue;
    ++kept;
    const long double dx = static_cast<long double>(s.x2) - s.x1;
    const long double dy = static_cast<long double>(s.y2) - s.y1;
    const double x1 = static_cast<double>(s.x1 + ref.t0 * dx);
    const double y1 = static_cast<double>(s.y1 + ref.t0 * dy);
    const double x2 = static_cast<double>(s.x1 + ref.t1 * dx);
    const double y2 = static_cast<double>(s.y1 + ref.t1 * dy);
    ASSERT_NEAR(out->x1, x1, 1e-8);
    ASSERT_NEAR(out->y1, y1, 1e-8);
    ASSERT_NEAR(out->x2, x2, 1e-8);
    ASSERT_NEAR(out->y2, y2, 1e-8);
  }
  EXPECT_GT(kept, 10000);
}

TEST(PixelMapping, CirclesCulledOrPlaced) {
  // The coefficient graph's frame: 449 x 273 pixels over x 0.08..0.42, y 7.2..3.2.
  const PixelMap map({0.08, 7.2, 0.42, 3.2}, {449, 273});
  struct Case {
    double x, y, r;
    bool drawn;
    PixelCircle at;
  };
  const std::vector<Case> cases = {
      {0.25, 5.2, 0.002, true, {225, 137, 3}},  // a run marker (224.5, 136.5, 2.64)
      {0.25, 5.2, 0, true, {225, 137, 0}},      // one run: radius 0, a dot
      {0.08, 3.2, 0.001, true, {0, 273, 1}},    // on the corner
      {0.25, 1e9, 0.002, false, {}},            // far above
      {-5, 5.2, 0.002, false, {}},              // far left
      {0.25, 5.2, 1e6, false, {}},              // round the whole window
      {100.25, 5.2, 100, false, {}},            // its outline crosses, too large to draw
      {1e300, -1e300, 0.002, false, {}},
      {0.25, NaN, 0.002, false, {}},
      {0.25, 5.2, Inf, false, {}},
  };
  for (const Case& c : cases) {
    const auto circle = CirclePixels(map, c.x, c.y, c.r);
    ASSERT_EQ(circle.has_value(), c.drawn) << c.x << " " << c.y << " " << c.r;
    if (!circle) continue;
    EXPECT_EQ(circle->x, c.at.x);
    EXPECT_EQ(circle->y, c.at.y);
    EXPECT_EQ(circle->radius, c.at.radius);
  }
}

}  // namespace
}  // namespace kavrel
