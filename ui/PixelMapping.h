// From a window's user coordinates to the pixels of its client area: the mapping, segment
// clipping and circle culling that keep every X11 coordinate well inside 16 bits.
#pragma once

#include <optional>

#include "ui/Toolkit.h"

namespace kavrel {

// A client area's size in pixels.
struct PixelSize {
  int width = 0;
  int height = 0;
};

// The client size at the fixed 15 twips to a pixel (never the screen's own resolution).
PixelSize NominalPixels(const Twips& placement);

// Pixels drawn around the visible area: lines are clipped to this border, not to the
// edge, so that wide pens and line caps never show where they were cut.
inline constexpr int ClipMargin = 16;

// Pixel coordinates that may be handed to the X server: far inside its 16-bit range.
inline constexpr double PixelLimit = 16000;

// A segment in user units, and an axis-aligned box (left <= right, bottom <= top).
struct Segment {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
struct Box {
  double left = 0, bottom = 0, right = 0, top = 0;
};

// Maps user coordinates onto a client area of `size` pixels: the top-left corner value
// to pixel (0, 0), the bottom-right corner value to (width, height). y grows upwards
// when the top value is the larger.
class PixelMap {
 public:
  PixelMap(const UserCoordinates& scale, PixelSize size);

  // False for a scale with no width or no height, or one not finite: nothing drawn with
  // it can be placed.
  bool Valid() const { return valid_; }
  double X(double x) const { return (x - scale_.left) * xFactor_; }
  double Y(double y) const { return (y - scale_.top) * yFactor_; }
  // A radius is measured along the abscissa.
  double Radius(double r) const;
  PixelSize Size() const { return size_; }
  // The client area widened by `margin` pixels on every side, in user units.
  Box Visible(int margin) const;

 private:
  UserCoordinates scale_;
  PixelSize size_;
  double xFactor_ = 0;
  double yFactor_ = 0;
  bool valid_ = false;
};

// The part of the segment inside the box, or nothing when none of it is. Liang-Barsky
// clipping, written to stay sound for values up to the largest double: the arithmetic runs
// on halved values (no difference can overflow), a cut point lies exactly on its edge with
// its other coordinate interpolated from the nearer end (so a far end at 1e300 does not
// swamp a near one), and what comes out always lies in the box. An end inside the box is
// returned unchanged. Non-finite values give nothing. When both ends are far away the
// position of the visible piece is only as good as the data allow (about 1e-16 of the
// distance to the ends).
[[nodiscard]] std::optional<Segment> ClipSegment(const Segment& segment, const Box& box);

struct PixelLine {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
struct PixelCircle {
  int x = 0, y = 0, radius = 0;
};
struct PixelPoint {
  int x = 0, y = 0;
};

// A line item in pixels, clipped to the client area widened by `margin` pixels.
[[nodiscard]] std::optional<PixelLine> LinePixels(const PixelMap& map, const Segment& line,
                                                  int margin = ClipMargin);
// A circle in pixels; nothing when it lies wholly outside the widened client area or is
// too large to be drawn with 16-bit coordinates.
[[nodiscard]] std::optional<PixelCircle> CirclePixels(const PixelMap& map, double x, double y,
                                                      double radius, int margin = ClipMargin);
// The top-left corner of a text; nothing when the text cannot reach the client area.
[[nodiscard]] std::optional<PixelPoint> TextPixels(const PixelMap& map, double x, double y,
                                                   int margin = ClipMargin);

// A font size in points as pixels at `zoom` times the nominal client size: a point is
// 20 twips, so 4/3 pixel at 15 twips to a pixel. At least one pixel.
int FontPixels(double points, double zoom);

}  // namespace kavrel
