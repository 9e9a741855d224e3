// Pictures of the graph windows as SVG: well-formed documents of the window's client size,
// each item where its own user coordinates put it, files replaced whole.
#include "toolkit/SvgWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace kavrel::testing {
namespace {

// Empty when `xml` is well-formed as far as the writer's kind of document goes (a prolog,
// nested elements with quoted attributes, character data with the predefined entities);
// otherwise what is wrong.
std::string XmlFault(const std::string& xml) {
  static const std::string entity = "&(?:amp|lt|gt|quot|apos);";
  static const std::regex tag(
      R"(<\?xml[^?]*\?>|<(/?)([A-Za-z][\w:.-]*)((?:\s+[\w:.-]+="(?:[^<&"]|)" + entity +
      R"()*")*)\s*(/?)>)");
  static const std::regex data("(?:[^<&]|" + entity + ")*");
  std::vector<std::string> open;
  bool root = false;
  auto at = xml.cbegin();
  for (std::sregex_iterator it(xml.begin(), xml.end(), tag), end; it != end; ++it) {
    const std::string between(at, (*it)[0].first);
    at = (*it)[0].second;
    if (!std::regex_match(between, data)) return "bad text before " + it->str();
    if (open.empty() && between.find_first_not_of(" \n") != std::string::npos) {
      return "text outside the root: " + between;
    }
    const std::string name = (*it)[2];
    if (name.empty()) continue;  // the prolog
    if ((*it)[1].length() > 0) {
      if (open.empty() || open.back() != name) return "mismatched " + it->str();
      open.pop_back();
    } else {
      if (open.empty() && root) return "a second root " + it->str();
      root = true;
      if ((*it)[4].length() == 0) open.push_back(name);
    }
  }
  if (std::string(at, xml.cend()).find_first_not_of(" \n") != std::string::npos) {
    return "text after the root";
  }
  return !open.empty() ? "unclosed " + open.back() : root ? "" : "no root";
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// The coefficient graph's client area, 6735 x 4095 twips, in the coordinates of runs from Fn
// 0.10 to 0.40 with Ctm 4.0 to 6.0: 0.08 to 0.42 across, 7.2 at the top to 3.2.
DisplayWindow ExampleWindow() {
  DisplayWindow w(WindowId::Kavrel_Form1, "Graphics for Fn-Ctm, Cvm, Cr", {255, 345, 6735, 4095});
  w.SetUserCoordinates(0.08, 7.2, 0.42, 3.2);
  w.SetPenWidth(2);
  w.Line(0.08, 7.2, 0.42, 3.2, Colour::LightBlue);  // corner to corner
  w.SetPenWidth(1);
  w.Circle(0.25, 5.2, 0.0034, Colour::DarkRed);
  w.Circle(0.25, 5.2, 0.0, Colour::DarkRed);  // no size: still a dot
  w.Circle(0.3, std::nan(""), 0.001, Colour::DarkRed);
  w.Line(0.1, 4.0, std::nan(""), 5.0, Colour::Cyan);
  w.Line(0.25, 5.2, 1e300, 5.2, Colour::Cyan);  // far out to the right
  w.SetFontName("Times New Roman");
  w.SetFontSize(12);
  w.SetTextColour(Colour::DarkBlue);
  w.SetPrintPosition(0.25, 5.2);
  w.Print("y=  0.500x & <1.100>\xff");
  return w;
}

TEST(SvgPicture, WindowSizeTitleAndItemsInPixels) {
  const std::string svg = SvgPicture(ExampleWindow());
  EXPECT_EQ(XmlFault(svg), "");
  EXPECT_NE(XmlFault("<svg><line x1=\"0\"></svg>"), "");  // the check itself can fail
  EXPECT_EQ(Count(svg, "<line "), 2u);                    // the line with a NaN end is left out
  EXPECT_EQ(Count(svg, "<circle "), 2u);
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  const char* expected[] = {
      // 6735 / 15 = 449 and 4095 / 15 = 273 pixels.
      R"(width="449" height="273" viewBox="0 0 449 273")",
      "<title>Graphics for Fn-Ctm, Cvm, Cr</title>",
      // The window's corners are the client area's.
      R"(<line x1="0" y1="0" x2="449" y2="273" stroke="#0000ff" stroke-width="2")",
      // (0.25, 5.2): 0.17 / 0.34 of 449 across, 2 / 4 of 273 down; the radius 0.0034 along the
      // abscissa is 0.0034 / 0.34 * 449 pixels.
      R"(<circle cx="224.5" cy="136.5" r="4.49" fill="none" stroke="#800000" stroke-width="1")",
      R"(<circle cx="224.5" cy="136.5" r="0.5")",
      R"(<line x1="224.5" y1="136.5" x2="100449" y2="136.5")",  // clipped 1e5 pixels out
      // 12 points are 12 * 20 / 15 = 16 pixels; the baseline 0.891 em below the top.
      R"(<text x="224.5" y="150.76" font-family="Times New Roman, Liberation Serif, serif" )"
      R"(font-size="16" fill="#000080" xml:space="preserve">y=  0.500x &amp; &lt;1.100&gt;?</text>)",
  };
  for (const char* text : expected) EXPECT_NE(svg.find(text), std::string::npos) << text;
}

TEST(SvgPicture, EachItemKeepsTheCoordinatesItWasDrawnIn) {
  DisplayWindow w(WindowId::Form_Faktor_Form2, "Form factor & <x>", {7110, 4890, 4680, 4095});
  w.SetUserCoordinates(0, 0, 4680, 4095);  // twips from the top-left: 15 to a pixel
  w.Line(150, 300, 4680, 4095, Colour::Black);
  w.SetUserCoordinates(0, 1, 1, 0);  // the unit square, y upwards
  w.Line(0.5, 0.75, 1.0, 0.0, Colour::Grey);
  const std::string svg = SvgPicture(w);
  EXPECT_EQ(XmlFault(svg), "");
  for (const char* text : {R"(width="312" height="273")", "<title>Form factor &amp; &lt;x&gt;<",
                           R"(<line x1="10" y1="20" x2="312" y2="273" stroke="#000000")",
                           R"(<line x1="156" y1="68.25" x2="312" y2="273" stroke="#808080")"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
}

TEST(SvgFile, NamesAndWrites) {
  EXPECT_EQ(SvgFileName(WindowId::Kavrel_Form1), "KAVREL_COEFFICIENTS.svg");
  EXPECT_EQ(SvgFileName(WindowId::Form_Faktor_Form1), "KAVREL_FORM_FACTOR_RAW.svg");
  EXPECT_EQ(SvgFileName(WindowId::Form_Faktor_Form2), "KAVREL_FORM_FACTOR_SMOOTHED.svg");
  EXPECT_EQ(SvgFileName(WindowId::Ekran_Form1), "");

  TempFolder folder;
  const DisplayWindow window = ExampleWindow();
  const auto path = folder.Path() / "KAVREL_COEFFICIENTS.svg";
  ASSERT_TRUE(WriteSvgFile(window, path));
  EXPECT_EQ(folder.Read("KAVREL_COEFFICIENTS.svg"), SvgPicture(window));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);

  EXPECT_FALSE(WriteSvgFile(window, folder.Path() / "no such folder" / "picture.svg"));
}

}  // namespace
}  // namespace kavrel::testing
