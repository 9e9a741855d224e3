// Looking at captured window pictures: colours near a pixel position, ink in a box, and the
// desktop front end opened for a test (skipped, saying why, without a display).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "toolkit/DesktopToolkit.h"

namespace kavrel {

inline bool operator==(const Rgb& a, const Rgb& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "rgb(" << int{c.red} << "," << int{c.green} << "," << int{c.blue} << ")";
}

}  // namespace kavrel

namespace kavrel::testing {

// The pixel position of a user value, worked out by hand: the left (top) edge value at 0,
// the right (bottom) edge value at the full width (height).
inline double PixelAt(double value, double edge0, double edge1, int pixels) {
  return (value - edge0) / (edge1 - edge0) * pixels;
}

// Pixels of the box from (x, y), `width` by `height`, that satisfy `wanted`.
inline int CountIn(const WindowImage& image, double x, double y, int width, int height,
                   const std::function<bool(const Rgb&)>& wanted) {
  int count = 0;
  const int left = static_cast<int>(std::lround(x)), top = static_cast<int>(std::lround(y));
  for (int py = std::max(top, 0); py < std::min(top + height, image.height); ++py) {
    for (int px = std::max(left, 0); px < std::min(left + width, image.width); ++px) {
      count += wanted(image.At(px, py));
    }
  }
  return count;
}

// Pixels of `colour` within `reach` of (x, y), or (reach -1) in the whole picture.
inline int CountColour(const WindowImage& image, Rgb colour, double x = 0, double y = 0,
                       int reach = -1) {
  const auto same = [&](const Rgb& c) { return c == colour; };
  if (reach < 0) return CountIn(image, 0, 0, image.width, image.height, same);
  return CountIn(image, x - reach, y - reach, 2 * reach + 1, 2 * reach + 1, same);
}

// Text is drawn anti-aliased: dark-blue ink shows as pixels bluer than they are red.
inline bool BlueInk(const Rgb& c) {
  return c.blue > c.red + 40 && c.blue > c.green + 40;
}

// Opens the desktop front end, or skips the test when there is no display.
class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string whyNot;
    ui = DesktopToolkit::Open(whyNot);
    if (!ui) GTEST_SKIP() << "the desktop front end needs an X display: " << whyNot;
  }
  std::unique_ptr<DesktopToolkit> ui;
};

}  // namespace kavrel::testing
