// The desktop module's boundary without a display: a window's items encoded on the program's
// side, decoded on the module's and mirrored, and the items the module must refuse.
#include "ui/DesktopCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <type_traits>
#include <variant>
#include <vector>

namespace kavrel {
namespace {

auto Drawn(const auto& i) {
  return std::tuple(i.colour, i.scale.left, i.scale.top, i.scale.right, i.scale.bottom);
}
auto Fields(const LineItem& i) {
  return std::tuple_cat(Drawn(i), std::tuple(i.x1, i.y1, i.x2, i.y2, i.penWidth));
}
auto Fields(const CircleItem& i) {
  return std::tuple_cat(Drawn(i), std::tuple(i.x, i.y, i.radius, i.penWidth));
}
auto Fields(const TextItem& i) {
  return std::tuple_cat(Drawn(i), std::tuple(i.x, i.y, i.text, i.fontName, i.fontSize));
}

TEST(DesktopCodec, EveryKindOfItemIsMirroredFieldByField) {
  DisplayWindow window(WindowId::Form_Faktor_Form1, "", {0, 0, 4755, 4095});
  window.SetUserCoordinates(-0.1, 1.7, 1.2, 0.9);
  window.SetPenWidth(3);
  window.Line(0.1, 1.2, 0.9, 1.05, Colour::DarkRed);
  window.Circle(0.25, 1.3, 0.013, Colour::Green);
  window.SetFontSize(12);
  window.SetTextColour(Colour::DarkBlue);
  window.SetPrintPosition(0.05, 1.65);
  window.Print("(1+k) = 1.12 \xC2\xB7 Fn\xE2\x81\xB4");  // a middle dot and a superscript 4
  window.Print(std::string("before\0after", 12));
  window.Print("");
  DisplayWindow mirror(window.Id(), "", window.Placement());
  for (const DrawItem& item : window.Items()) {
    std::string whyNot;
    const std::optional<DrawItem> decoded = DecodeItem(EncodeItem(item), whyNot);
    ASSERT_TRUE(decoded && decoded->index() == item.index()) << whyNot;
    mirror.Add(*decoded);
    std::visit(
        [&](const auto& sent) {
          EXPECT_EQ(Fields(sent),
                    Fields(std::get<std::decay_t<decltype(sent)>>(mirror.Items().back())));
        },
        item);
  }
}

TEST(DesktopCodec, UnknownKindsAndMalformedTextsAreRefusedWithTheirReason) {
  const struct {
    KavrelDesktopItem item;
    const char* reason = "";
  } cases[] = {
      {{.kind = KAVREL_DESKTOP_ITEM_KINDS}, "an item of unknown kind 3"},
      {{.kind = -1}, "an item of unknown kind -1"},
      {{.kind = KAVREL_DESKTOP_TEXT, .textLength = 3, .fontName = "Arial"},
       "a text item of 3 bytes without its text"},
      {{.kind = KAVREL_DESKTOP_TEXT, .text = "Ctm", .textLength = 3},
       "a text item without its font name"},
  };
  for (const auto& c : cases) {
    std::string whyNot;
    EXPECT_FALSE(DecodeItem(c.item, whyNot)) << c.reason;
    EXPECT_EQ(whyNot, c.reason);
  }
}

TEST(DesktopCodec, TableLinesCrossWhole) {
  for (const std::vector<std::string>& lines :
       {std::vector<std::string>{}, {"  NO    Fn", "", "   1   0.104"}, {"a", "b", ""}}) {
    // A last empty line does not cross.
    std::vector<std::string> kept = lines;
    if (!kept.empty() && kept.back().empty()) kept.pop_back();
    EXPECT_EQ(DecodeLines(EncodeLines(lines)), kept);
  }
}

}  // namespace
}  // namespace kavrel
