// User coordinates to client-area pixels, with clipping and culling so that nothing far
// outside a window wraps round the X server's 16-bit coordinates.
#include "ui/PixelMapping.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "text/Finite.h"

namespace kavrel {

PixelSize NominalPixels(const Twips& placement) {
  return {(placement.width + TwipsPerPixel / 2) / TwipsPerPixel,
          (placement.height + TwipsPerPixel / 2) / TwipsPerPixel};
}

PixelMap::PixelMap(const UserCoordinates& scale, PixelSize size) : scale_(scale), size_(size) {
  const double width = scale.right - scale.left;
  const double height = scale.bottom - scale.top;
  if (size.width <= 0 || size.height <= 0) return;
  if (!std::isfinite(scale.left) || !std::isfinite(scale.top)) return;
  if (!std::isfinite(width) || !std::isfinite(height) || width == 0 || height == 0) return;
  xFactor_ = size.width / width;
  yFactor_ = size.height / height;
  valid_ = std::isfinite(xFactor_) && std::isfinite(yFactor_) && xFactor_ != 0 && yFactor_ != 0;
}

double PixelMap::Radius(double r) const {
  return std::fabs(r) * std::fabs(xFactor_);
}

namespace {

enum Edge { Left, Right, Bottom, Top };

}  // namespace

std::optional<Segment> ClipSegment(const Segment& segment, const Box& box) {
  if (!Finite({segment.x1, segment.y1, segment.x2, segment.y2, box.left, box.bottom, box.right,
               box.top})) {
    return std::nullopt;
  }
  if (!(box.left <= box.right && box.bottom <= box.top)) return std::nullopt;

  // Both ends beyond the same edge: nothing to draw, decided without arithmetic.
  if ((segment.x1 < box.left && segment.x2 < box.left) ||
      (segment.x1 > box.right && segment.x2 > box.right) ||
      (segment.y1 < box.bottom && segment.y2 < box.bottom) ||
      (segment.y1 > box.top && segment.y2 > box.top)) {
    return std::nullopt;
  }

  // Halved values: the difference of two halved doubles never overflows.
  const double x1 = segment.x1 * 0.5, y1 = segment.y1 * 0.5;
  const double x2 = segment.x2 * 0.5, y2 = segment.y2 * 0.5;
  const double dx = x2 - x1;
  const double dy = y2 - y1;

  // Liang-Barsky over P1 + t (P2 - P1), 0 <= t <= 1. Each crossing of an edge's line keeps
  // its parameter from both ends, t from P1 and s = 1 - t from P2, each worked out from its
  // own end: near either end one of them is accurate, and their signs are exact.
  struct Crossing {
    double t, s;
    int edge;
  };
  const auto later = [](const Crossing& a, const Crossing& b) {
    if (a.t <= 0.5 && b.t <= 0.5) return a.t > b.t;
    if (a.s <= 0.5 && b.s <= 0.5) return a.s < b.s;
    return a.t > 0.5;
  };
  Crossing in{0, 1, -1};   // the latest entry, P1 itself if it is inside
  Crossing out{1, 0, -1};  // the earliest exit, P2 itself if it is inside
  const auto edge = [&](double at, double from, double to, double delta, bool lowSide, int id) {
    if (delta == 0) return lowSide ? from >= at : from <= at;  // parallel: inside or not
    const Crossing c{(at - from) / delta, (to - at) / delta, id};
    // Moving inwards across a low edge (left, bottom) or outwards across a high one.
    const bool entering = lowSide == (delta > 0);
    if (entering) {
      if (c.s < 0) return false;  // the segment ends before it reaches the edge
      if (c.t > 0 && later(c, in)) in = c;
    } else {
      if (c.t < 0) return false;  // the segment starts beyond the edge
      if (c.s > 0 && later(out, c)) out = c;
    }
    return true;
  };
  if (!edge(box.left * 0.5, x1, x2, dx, true, Left) ||
      !edge(box.right * 0.5, x1, x2, dx, false, Right) ||
      !edge(box.bottom * 0.5, y1, y2, dy, true, Bottom) ||
      !edge(box.top * 0.5, y1, y2, dy, false, Top) || later(in, out)) {
    return std::nullopt;
  }

  // A cut point lies exactly on its edge; the other coordinate comes from the nearer end.
  const auto cut = [&](const Crossing& c, double& x, double& y) {
    const double along = c.t <= c.s ? (c.edge <= Right ? y1 + c.t * dy : x1 + c.t * dx)
                                    : (c.edge <= Right ? y2 - c.s * dy : x2 - c.s * dx);
    switch (c.edge) {
      case Left:
        x = box.left, y = along * 2;
        break;
      case Right:
        x = box.right, y = along * 2;
        break;
      case Bottom:
        x = along * 2, y = box.bottom;
        break;
      default:
        x = along * 2, y = box.top;
        break;
    }
  };
  Segment clipped = segment;
  if (in.edge >= 0) cut(in, clipped.x1, clipped.y1);
  if (out.edge >= 0) cut(out, clipped.x2, clipped.y2);
  // Rounding near a corner may leave an end a hair outside; an end inside stays exact.
  clipped.x1 = std::clamp(clipped.x1, box.left, box.right);
  clipped.x2 = std::clamp(clipped.x2, box.left, box.right);
  clipped.y1 = std::clamp(clipped.y1, box.bottom, box.top);
  clipped.y2 = std::clamp(clipped.y2, box.bottom, box.top);
  return clipped;
}

Box PixelMap::Visible(int margin) const {
  const double x1 = scale_.left - margin / xFactor_;
  const double x2 = scale_.left + (size_.width + margin) / xFactor_;
  const double y1 = scale_.top - margin / yFactor_;
  const double y2 = scale_.top + (size_.height + margin) / yFactor_;
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

std::optional<PixelLine> LinePixels(const PixelMap& map, const Segment& line, int margin) {
  if (!map.Valid()) return std::nullopt;
  const auto clipped = ClipSegment(line, map.Visible(margin));
  if (!clipped) return std::nullopt;
  // Inside the widened area every pixel value is small; lround cannot overflow.
  return PixelLine{static_cast<int>(std::lround(map.X(clipped->x1))),
                   static_cast<int>(std::lround(map.Y(clipped->y1))),
                   static_cast<int>(std::lround(map.X(clipped->x2))),
                   static_cast<int>(std::lround(map.Y(clipped->y2)))};
}

std::optional<PixelCircle> CirclePixels(const PixelMap& map, double x, double y, double radius,
                                        int margin) {
  if (!map.Valid()) return std::nullopt;
  const double cx = map.X(x), cy = map.Y(y), r = map.Radius(radius);
  if (!Finite({cx, cy, r})) return std::nullopt;
  const PixelSize size = map.Size();
  const double low = -margin, right = size.width + margin, bottom = size.height + margin;
  // Wholly beside the widened area...
  if (cx + r < low || cx - r > right || cy + r < low || cy - r > bottom) return std::nullopt;
  // ...or round it, the outline passing outside every corner.
  const double far = std::hypot(std::max(cx - low, right - cx), std::max(cy - low, bottom - cy));
  if (r > far) return std::nullopt;
  if (std::fabs(cx) > PixelLimit || std::fabs(cy) > PixelLimit || r > PixelLimit) {
    return std::nullopt;
  }
  return PixelCircle{static_cast<int>(std::lround(cx)), static_cast<int>(std::lround(cy)),
                     static_cast<int>(std::lround(r))};
}

std::optional<PixelPoint> TextPixels(const PixelMap& map, double x, double y, int margin) {
  if (!map.Valid()) return std::nullopt;
  const double px = map.X(x), py = map.Y(y);
  if (!Finite({px, py})) return std::nullopt;
  const PixelSize size = map.Size();
  // Text runs right and down from its corner, so only those two sides cull by the margin.
  if (px > size.width + margin || py > size.height + margin) return std::nullopt;
  if (px < -PixelLimit || py < -PixelLimit) return std::nullopt;
  return PixelPoint{static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py))};
}

int FontPixels(double points, double zoom) {
  const double pixels = points * 20.0 / TwipsPerPixel * zoom;
  if (!(pixels >= 1)) return 1;
  return static_cast<int>(std::lround(std::min(pixels, 1000.0)));
}

}  // namespace kavrel
