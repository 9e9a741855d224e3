// Pictures of the graph windows as SVG: well-formed documents of the window's client size,
// each item where its user coordinates put it, also for lines whose ends lie near the largest
// doubles.
#include "frontends/SvgWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

#include "tests/support/TempFolder.h"

namespace kavrel::test {
namespace {

// Whether `xml` is a prolog and one root element, well-formed as far as the writer's kind of
// document goes: tags that nest, quoted attributes, text with the predefined entities only.
// Innermost elements are replaced by a letter of text until only the root's letter is left.
bool WellFormed(std::string xml) {
  static const std::string entity = "&(amp|lt|gt|quot|apos);";
  static const std::regex element(R"(<([a-z]+)(\s+[\w:-]+="([^<&"]|)" + entity +
                                  R"()*")*\s*(/>|>([^<&]|)" + entity + R"()*</\1>))");
  for (std::string before; before != xml;) {
    before = xml;
    xml = std::regex_replace(xml, element, "E");
  }
  return std::regex_match(xml, std::regex(R"(<\?xml [^?]*\?>\s*E\s*)"));
}

TEST(SvgPicture, CoefficientGraphInPixelsAndItsFile) {
  // The client area, 6735 x 4095 twips, is 449 x 273 pixels; runs from Fn 0.10 to 0.40 with
  // Ctm 4.0 to 6.0 give the coordinates 0.08 to 0.42 across, 7.2 at the top to 3.2.
  DisplayWindow w(WindowId::Kavrel_Form1, "Graphics for Fn-Ctm, Cvm, Cr", {255, 345, 6735, 4095});
  w.SetUserCoordinates(0.08, 7.2, 0.42, 3.2);
  w.Circle(0.25, 5.2, 0.0034, Colour::DarkRed);
  w.Circle(0.25, 5.2, 0.0, Colour::DarkRed);  // no size: still a dot
  w.SetFontName("Times New Roman");
  w.SetPrintPosition(0.25, 5.2);
  w.Print("y=  0.500x & <1.100>\xff");
  w.SetPenWidth(2);
  w.Line(0.08, 7.2, 0.42, 3.2, Colour::LightBlue);  // corner to corner
  const std::string svg = SvgPicture(w);
  EXPECT_TRUE(WellFormed(svg)) << svg;
  EXPECT_FALSE(WellFormed("<?xml version=\"1.0\"?>\n<svg><line x1=\"0\"></svg>"));
  const std::regex circle("<circle "), line("<line ");
  EXPECT_EQ(std::distance(std::sregex_iterator(svg.begin(), svg.end(), circle), {}), 2);
  EXPECT_EQ(std::distance(std::sregex_iterator(svg.begin(), svg.end(), line), {}), 1);
  const char* const expected[] = {
      R"(width="449" height="273" viewBox="0 0 449 273")",
      "<title>Graphics for Fn-Ctm, Cvm, Cr</title>",
      R"(<line x1="0" y1="0" x2="449" y2="273" stroke="#0000ff" stroke-width="2")",
      // (0.25, 5.2): 0.17 / 0.34 of 449 across, 2 / 4 of 273 down; the radius 0.0034 along
      // the abscissa is 0.0034 / 0.34 * 449 pixels.
      R"(<circle cx="224.5" cy="136.5" r="4.49" fill="none" stroke="#800000" stroke-width="1")",
      R"(<circle cx="224.5" cy="136.5" r="0.5")",
      // 8 points are 8 * 20 / 15 = 10.67 pixels, the baseline 0.891 em (9.5 pixels) below the
      // top; markup characters escaped, a byte that is not UTF-8 replaced.
      (R"(<text x="224.5" y="146" font-family="Times New Roman, Liberation Serif, serif" )"
       R"(font-size="10.67" fill="#000000" xml:space="preserve">)"
       "y=  0.500x &amp; &lt;1.100&gt;?<")};
  for (const char* text : expected) EXPECT_NE(svg.find(text), std::string::npos) << text;

  // The file holds the document (the atomic write itself is tested with the text functions).
  TempFolder folder;
  ASSERT_FALSE(WriteSvgFile(w, Folder(folder.Path()), "KAVREL_COEFFICIENTS.svg"));
  EXPECT_EQ(folder.Read("KAVREL_COEFFICIENTS.svg"), svg);
}

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
}  // namespace kavrel::test
