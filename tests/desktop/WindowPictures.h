// Looking at captured window pictures: colours near a pixel position, ink in a box, and the
// desktop front end opened for a test (skipped, saying why, without a display).
#pragma once

#include <gtest/gtest.h>

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

// Pixels within `reach` of (x, y) (a square) that satisfy `wanted`.
inline int CountNear(const WindowImage& image, double x, double y, int reach,
                     const std::function<bool(const Rgb&)>& wanted) {
  int count = 0;
  const int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
  for (int py = cy - reach; py <= cy + reach; ++py) {
    for (int px = cx - reach; px <= cx + reach; ++px) {
      if (px >= 0 && py >= 0 && px < image.width && py < image.height && wanted(image.At(px, py))) {
        ++count;
      }
    }
  }
  return count;
}

inline int CountColourNear(const WindowImage& image, double x, double y, int reach, Rgb colour) {
  return CountNear(image, x, y, reach, [&](const Rgb& c) { return c == colour; });
}

inline int CountColour(const WindowImage& image, Rgb colour) {
  int count = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) count += image.At(x, y) == colour;
  }
  return count;
}

// Text is drawn anti-aliased: dark-blue ink shows as pixels bluer than they are red.
inline bool BlueInk(const Rgb& c) {
  return c.blue > c.red + 40 && c.blue > c.green + 40;
}

// Ink of `wanted` in the box right of and below a text's top-left corner.
inline int InkBelowRight(const WindowImage& image, double x, double y, int width, int height,
                         const std::function<bool(const Rgb&)>& wanted) {
  int count = 0;
  for (int py = static_cast<int>(y); py < static_cast<int>(y) + height; ++py) {
    for (int px = static_cast<int>(x); px < static_cast<int>(x) + width; ++px) {
      if (px >= 0 && py >= 0 && px < image.width && py < image.height && wanted(image.At(px, py))) {
        ++count;
      }
    }
  }
  return count;
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
