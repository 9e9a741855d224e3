// Encoding and decoding the display-list items of the desktop module's boundary. The item kinds
// are the alternatives of DrawItem in their order, which the assertions below hold to.
#include "ui/DesktopCodec.h"

#include <algorithm>
#include <type_traits>
#include <variant>

#include "text/Answers.h"

namespace kavrel {

static_assert(
    std::is_same_v<std::variant_alternative_t<KAVREL_DESKTOP_LINE, DrawItem>, LineItem> &&
    std::is_same_v<std::variant_alternative_t<KAVREL_DESKTOP_CIRCLE, DrawItem>, CircleItem> &&
    std::is_same_v<std::variant_alternative_t<KAVREL_DESKTOP_TEXT, DrawItem>, TextItem> &&
    std::variant_size_v<DrawItem> == KAVREL_DESKTOP_ITEM_KINDS);

KavrelDesktopItem EncodeItem(const DrawItem& item) {
  KavrelDesktopItem c;
  c.kind = static_cast<int>(item.index());
  std::visit(
      [&c](const auto& i) {
        c.scaleLeft = i.scale.left;
        c.scaleTop = i.scale.top;
        c.scaleRight = i.scale.right;
        c.scaleBottom = i.scale.bottom;
        c.colour = i.colour;
      },
      item);
  if (const auto* line = std::get_if<LineItem>(&item)) {
    c.x1 = line->x1;
    c.y1 = line->y1;
    c.x2 = line->x2;
    c.y2 = line->y2;
    c.penWidth = line->penWidth;
  } else if (const auto* circle = std::get_if<CircleItem>(&item)) {
    c.x1 = circle->x;
    c.y1 = circle->y;
    c.radius = circle->radius;
    c.penWidth = circle->penWidth;
  } else if (const auto* text = std::get_if<TextItem>(&item)) {
    c.x1 = text->x;
    c.y1 = text->y;
    c.text = text->text.data();
    c.textLength = text->text.size();
    c.fontName = text->fontName.c_str();
    c.fontSize = text->fontSize;
  }
  return c;
}

std::optional<DrawItem> DecodeItem(const KavrelDesktopItem& item, std::string& whyNot) {
  const UserCoordinates scale{item.scaleLeft, item.scaleTop, item.scaleRight, item.scaleBottom};
  switch (item.kind) {
    case KAVREL_DESKTOP_LINE:
      return LineItem{item.x1, item.y1, item.x2, item.y2, item.colour, item.penWidth, scale};
    case KAVREL_DESKTOP_CIRCLE:
      return CircleItem{item.x1, item.y1, item.radius, item.colour, item.penWidth, scale};
    case KAVREL_DESKTOP_TEXT:
      if (item.text == nullptr && item.textLength != 0) {
        whyNot = "a text item of " + std::to_string(item.textLength) + " bytes without its text";
      } else if (item.fontName == nullptr) {
        whyNot = "a text item without its font name";
      } else {
        // A null text of no length is the empty range, and so the empty text.
        return TextItem{item.x1,       item.y1,       std::string(item.text, item.textLength),
                        item.fontName, item.fontSize, item.colour,
                        scale};
      }
      return std::nullopt;
    default:
      whyNot = "an item of unknown kind " + std::to_string(item.kind);
      return std::nullopt;
  }
}

std::string EncodeLines(const std::vector<std::string>& lines) {
  return Joined(lines, "\n");
}

std::vector<std::string> DecodeLines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    lines.emplace_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

}  // namespace kavrel
