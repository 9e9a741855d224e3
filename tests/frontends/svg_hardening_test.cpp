// SVG pictures of lines whose ends lie near the largest doubles: found by fuzzing the writer.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

#include "frontends/SvgWriter.h"
#include "ui/Toolkit.h"

namespace kavrel {
namespace {

TEST(SvgPicture, LinesWithEndsNearTheLargestDoublesStayWellFormed) {
  // Once a clipped end came out as 1e291 (its text overran the number buffer: stack bytes in
  // the document) or as "-nan" (an extent beyond the largest double times 0).
  // User coordinates left, top, right, bottom; then the line x1, y1, x2, y2.
  const double cases[][8] = {
      {-1.6921116010324785e+308, -9686.5820835586892, 1.4072557863163539e+306, -9.2159938485197994,
       -9059.1370731629413, 1.2798910703732072e+294, -1.7976931348623157e+308,
       -1.7976931348623157e+308},
      {-9059.1311034213322, -9.2944252210688205, -9526.3482536933934, 3568.6274509803934,
       1.4439939573883033e+308, -9999.9999719511125, -1.7976931348623157e+308,
       -1.7976931348623157e+308},
  };
  const std::regex end(" [xy][12]=\"([^\"]*)\"");
  for (const auto& c : cases) {
    DisplayWindow window(WindowId::Kavrel_Form1, "Graphics", {255, 345, 6735, 4095});
    window.SetUserCoordinates(c[0], c[1], c[2], c[3]);
    window.Line(c[4], c[5], c[6], c[7], Colour::Black);
    const std::string svg = SvgPicture(window);
    for (char ch : svg) EXPECT_TRUE(ch == '\n' || (ch >= 0x20 && ch < 0x7f)) << svg;
    // Clipped 1e5 pixels beyond the 449 x 273 pixel client area at the most.
    for (std::sregex_iterator it(svg.begin(), svg.end(), end), last; it != last; ++it) {
      const std::string value = (*it)[1];
      EXPECT_EQ(value.find_first_not_of("-0123456789."), std::string::npos) << value;
      EXPECT_LE(std::fabs(std::stod(value)), 100449.0) << value;
    }
  }
}

}  // namespace
}  // namespace kavrel
