// Fuzz target: the SVG writer fed arbitrary display lists (any coordinates, NaN and
// infinity included, any colours, pen widths and text bytes). The document must stay
// well-formed XML with only finite numbers.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <string>
#include <string_view>
#include <variant>

#include "frontends/SvgWriter.h"
#include "fuzz/Require.h"
#include "ui/Toolkit.h"

namespace {

using kavrel::fuzzing::Require;

// A finite value most of the time, sometimes any bit pattern.
double Coordinate(FuzzedDataProvider& data) {
  switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return data.ConsumeFloatingPoint<double>();
    case 1:
      return data.ConsumeFloatingPointInRange(-1e4, 1e4);
    default:
      return data.ConsumeFloatingPointInRange(-10.0, 10.0);
  }
}

// Tags, attribute values and character data: no markup character stands unescaped, no
// control character, no text looks like a non-finite number.
void CheckDocument(std::string_view svg) {
  Require(svg.rfind("<?xml", 0) == 0, "no XML declaration");
  Require(svg.size() >= 7 && svg.substr(svg.size() - 7) == "</svg>\n",
          "the document does not end with </svg>");
  bool inTag = false;
  bool inValue = false;
  for (std::size_t i = 0; i < svg.size(); ++i) {
    const auto c = static_cast<unsigned char>(svg[i]);
    Require(c >= 0x20 || c == '\n', "a control character in the document");
    if (c == '&') {
      const auto end = svg.find(';', i);
      Require(end != std::string_view::npos, "an unfinished entity");
      const auto entity = svg.substr(i, end - i + 1);
      Require(entity == "&amp;" || entity == "&lt;" || entity == "&gt;" || entity == "&quot;",
              "an unknown entity");
    }
    if (inValue) {
      Require(c != '<', "a bare < in a tag");
      if (c == '"') inValue = false;
    } else if (inTag) {
      if (c == '"') inValue = true;
      if (c == '>') inTag = false;
      Require(c != '<', "a bare < in a tag");
    } else {
      if (c == '<') inTag = true;
      Require(c != '>', "a bare > in character data");
    }
  }
  Require(!inTag && !inValue, "an unfinished tag");
  // Every number of the geometry is a short fixed-point text: never "nan", "inf" or an
  // exponent, never absurdly long.
  for (std::string_view name :
       {" x=\"", " y=\"", " x1=\"", " y1=\"", " x2=\"", " y2=\"", " cx=\"", " cy=\"", " r=\"",
        " width=\"", " height=\"", " stroke-width=\"", " font-size=\""}) {
    for (auto at = svg.find(name); at != std::string_view::npos; at = svg.find(name, at + 1)) {
      const auto start = at + name.size();
      const auto end = svg.find('"', start);
      const auto value = svg.substr(start, end - start);
      Require(!value.empty() && value.size() <= 16, "a number attribute empty or absurdly long");
      Require(value.find_first_not_of("-0123456789.") == std::string_view::npos,
              "a number attribute that is not fixed-point");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  const auto id = static_cast<kavrel::WindowId>(data.ConsumeIntegralInRange(1, 3));
  kavrel::DisplayWindow window(id, "Graphics for Fn-Ctm, Cvm, Cr", {255, 345, 6735, 4095});
  window.Show();
  for (int operations = 0; operations < 200 && data.remaining_bytes() > 0; ++operations) {
    switch (data.ConsumeIntegralInRange(0, 8)) {
      case 0:
        window.Clear();
        break;
      case 1:
        window.SetUserCoordinates(Coordinate(data), Coordinate(data), Coordinate(data),
                                  Coordinate(data));
        break;
      case 2:
        window.SetPenWidth(data.ConsumeIntegral<int>());
        break;
      case 3:
        window.SetFontSize(Coordinate(data));
        break;
      case 4:
        window.SetFontName(data.ConsumeRandomLengthString(40));
        break;
      case 5:
        window.Line(Coordinate(data), Coordinate(data), Coordinate(data), Coordinate(data),
                    data.ConsumeIntegral<int>());
        break;
      case 6:
        window.Circle(Coordinate(data), Coordinate(data), Coordinate(data),
                      data.ConsumeIntegral<int>());
        break;
      case 7:
        window.SetPrintPosition(Coordinate(data), Coordinate(data));
        break;
      default:
        window.Print(data.ConsumeRandomLengthString(80));
        break;
    }
  }
  const std::string svg = kavrel::SvgPicture(window);
  // KAVREL_FUZZ_SHOW=1 prints the document, for looking into a finding.
  if (std::getenv("KAVREL_FUZZ_SHOW") != nullptr) {
    std::cerr << std::setprecision(17);
    for (const kavrel::DrawItem& item : window.Items()) {
      if (const auto* line = std::get_if<kavrel::LineItem>(&item)) {
        std::cerr << "Line(" << line->x1 << ", " << line->y1 << ", " << line->x2 << ", " << line->y2
                  << ") in (" << line->scale.left << ", " << line->scale.top << ", "
                  << line->scale.right << ", " << line->scale.bottom << ")\n";
      }
    }
    std::cerr << svg;
  }
  CheckDocument(svg);
  return 0;
}
