// Pictures of the graph windows as SVG documents: each display item mapped from the user
// coordinates it was drawn in to the window's client area, 15 twips to a pixel.
#include "frontends/SvgWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <system_error>
#include <variant>

#include "files/FileWrite.h"
#include "text/Finite.h"
#include "ui/PixelMapping.h"

namespace kavrel {

namespace {

// The text's top-left corner is the print position; SVG places text by its baseline, which
// lies one ascent lower (Times New Roman and its metric twin Liberation Serif: 0.891 em).
constexpr double FontAscent = 0.891;
// A point is 20 twips.
constexpr double PixelsPerPoint = 20.0 / TwipsPerPixel;
constexpr std::string_view FontFamily = "Times New Roman, Liberation Serif, serif";
// Geometry is kept within this many pixels of the client area, so that no number in the
// document is absurdly large; what lies further out is invisible anyway.
constexpr int FarOutside = 100000;

// A pixel coordinate with at most two decimals, without trailing zeros.
// Appends `value` with at most two decimals, trailing zeros dropped.
void AppendNumber(std::string& out, double value) {
  if (value == 0) value = 0;  // no "-0"
  // Pixel coordinates are small: hundredths as a whole number are exact and far cheaper
  // to print than a general fixed-point conversion, which the pictures spend most of
  // their time on otherwise.
  if (std::fabs(value) < 1e12) {
    const long long hundredths = std::llround(value * 100);
    const unsigned long long magnitude =
        static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
    if (hundredths < 0) out += '-';
    char digits[24];
    char* const end = std::to_chars(digits, digits + sizeof digits, magnitude / 100).ptr;
    out.append(digits, end);
    const unsigned long long rest = magnitude % 100;
    if (rest != 0) {
      out += '.';
      out += static_cast<char>('0' + rest / 10);
      if (rest % 10 != 0) out += static_cast<char>('0' + rest % 10);
    }
    return;
  }
  char buffer[400];  // room for every finite double in fixed notation
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  if (text.find('.') != std::string_view::npos) {
    while (text.back() == '0') text.remove_suffix(1);
    if (text.back() == '.') text.remove_suffix(1);
  }
  out += text;
}

std::string HexColour(int index) {
  static constexpr char digits[] = "0123456789abcdef";
  const Rgb rgb = PaletteColour(index);
  std::string text = "#";
  for (const std::uint8_t part : {rgb.red, rgb.green, rgb.blue}) {
    text += digits[part >> 4];
    text += digits[part & 0xF];
  }
  return text;
}

// Length of the well-formed UTF-8 sequence of a character allowed in XML that starts at
// `i`, or 0.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t code = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t j = 1; j < length; ++j) {
    const auto next = static_cast<unsigned char>(text[i + j]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3Fu);
  }
  static constexpr std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF) return 0;
  if ((code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE || code == 0xFFFF) return 0;
  return length;
}

// Text as XML character data: markup characters escaped, control characters as blanks and
// bytes that are not UTF-8 as "?", so that the document stays well-formed.
std::string Escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const std::size_t length = Utf8Length(text, i);
    if (length == 0) {
      out += '?';
      ++i;
      continue;
    }
    if (length > 1) {
      out.append(text.substr(i, length));
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      out += ' ';
    } else {
      out += c;
    }
    i += length;
  }
  return out;
}

// The graphs' Times New Roman with its metric twin and a generic fall-back; any other font
// as named.
std::string FontFamilyOf(std::string_view fontName) {
  if (fontName.empty() || fontName == "Times New Roman") return std::string(FontFamily);
  return Escaped(fontName) + ", sans-serif";
}

class SvgBuilder {
 public:
  explicit SvgBuilder(PixelSize size) : size_(size), width_(size.width), height_(size.height) {}

  void operator()(const LineItem& line) {
    const PixelMap map(line.scale, size_);
    if (!map.Valid()) return;
    // Clipped in user units, before any large value is turned into pixels.
    const auto clipped = ClipSegment({line.x1, line.y1, line.x2, line.y2}, map.Visible(FarOutside));
    if (!clipped) return;
    Append("<line x1=\"", map.X(clipped->x1), "\" y1=\"", map.Y(clipped->y1), "\" x2=\"",
           map.X(clipped->x2), "\" y2=\"", map.Y(clipped->y2), "\" stroke=\"");
    out += HexColour(line.colour);
    Append("\" stroke-width=\"", PenWidth(line.penWidth), "\" stroke-linecap=\"round\"/>\n");
  }

  void operator()(const CircleItem& circle) {
    const PixelMap map(circle.scale, size_);
    if (!map.Valid()) return;
    const double x = map.X(circle.x);
    const double y = map.Y(circle.y);
    // A circle of no size still shows as a dot, as on the window.
    const double radius = std::max(map.Radius(circle.radius), 0.5);
    if (!Finite({x, y, radius}) || radius > FarOutside) return;
    // Invisible unless the circle's square meets the client area.
    if (x + radius < 0 || x - radius > width_ || y + radius < 0 || y - radius > height_) return;
    Append("<circle cx=\"", x, "\" cy=\"", y, "\" r=\"", radius, "\" fill=\"none\" stroke=\"");
    out += HexColour(circle.colour);
    Append("\" stroke-width=\"", PenWidth(circle.penWidth), "\"/>\n");
  }

  void operator()(const TextItem& text) {
    if (text.text.empty()) return;
    const PixelMap map(text.scale, size_);
    if (!map.Valid()) return;
    const double x = map.X(text.x);
    const double size = text.fontSize * PixelsPerPoint;
    const double baseline = map.Y(text.y) + FontAscent * size;
    if (!Finite({x, baseline, size}) || !(size > 0)) return;
    if (std::fabs(x) > FarOutside || std::fabs(baseline) > FarOutside) return;
    Append("<text x=\"", x, "\" y=\"", baseline, "\" font-family=\"");
    out += FontFamilyOf(text.fontName);
    Append("\" font-size=\"", size, "\" fill=\"");
    out += HexColour(text.colour);
    out += "\" xml:space=\"preserve\">";
    out += Escaped(text.text);
    out += "</text>\n";
  }

  std::string out;

 private:
  // Texts and numbers appended in turn, the numbers as AppendNumber writes them.
  template <typename... Parts>
  void Append(const Parts&... parts) {
    (AppendPart(parts), ...);
  }
  void AppendPart(const char* text) { out += text; }
  void AppendPart(double value) { AppendNumber(out, value); }

  // A window draws at least one pixel wide.
  static double PenWidth(int width) { return std::max(width, 1); }

  PixelSize size_;
  double width_;
  double height_;
};

}  // namespace

std::string SvgPicture(const DisplayWindow& window) {
  const PixelSize size = NominalPixels(window.Placement());
  const std::string w = std::to_string(size.width);
  const std::string h = std::to_string(size.height);

  SvgBuilder builder(size);
  builder.out.reserve(512 + 160 * window.Items().size());
  builder.out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  builder.out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + w +
                 "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
  builder.out += "<title>" + Escaped(window.Caption()) + "</title>\n";
  builder.out += "<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"" +
                 HexColour(Colour::White) + "\"/>\n";
  for (const DrawItem& item : window.Items()) std::visit(builder, item);
  builder.out += "</svg>\n";
  return std::move(builder.out);
}

std::string XmlText(std::string_view text) {
  return Escaped(text);
}

std::string SvgFileName(WindowId id) {
  switch (id) {
    case WindowId::Kavrel_Form1:
      return "KAVREL_COEFFICIENTS.svg";
    case WindowId::Form_Faktor_Form1:
      return "KAVREL_FORM_FACTOR_RAW.svg";
    case WindowId::Form_Faktor_Form2:
      return "KAVREL_FORM_FACTOR_SMOOTHED.svg";
    case WindowId::Ship_Power:
      return "KAVREL_SHIP.svg";
    case WindowId::Uncertainty:
      return "KAVREL_UNC.svg";
    case WindowId::Ekran_Form1:
      break;
  }
  return {};
}

std::string SvgPreviewFileName(WindowId id) {
  std::string name = SvgFileName(id);
  if (!name.empty()) name.insert(name.size() - 4, ".preview");
  return name;
}

std::optional<std::string> WriteSvgFile(const DisplayWindow& window, const Folder& folder,
                                        const std::string& name, Durability durability) {
  return WriteFileAtomically(folder, name, SvgPicture(window), durability);
}

}  // namespace kavrel
