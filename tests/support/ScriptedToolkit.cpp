// What the scripted front end's windows show, for the tests to compare.
#include "tests/support/ScriptedToolkit.h"

#include <algorithm>
#include <cstdio>
#include <variant>

namespace kavrel::test {

std::vector<std::string> PrintedTexts(const DisplayWindow& window) {
  std::vector<std::string> texts;
  for (const auto& item : window.Items()) {
    if (const auto* text = std::get_if<TextItem>(&item)) texts.push_back(text->text);
  }
  return texts;
}

std::string Picture(const DisplayWindow& window, std::size_t from, std::size_t to) {
  char s[200];
  const auto& k = window.Coordinates();
  std::snprintf(s, sizeof s, "(%g,%g) (%g,%g):", k.left, k.top, k.right, k.bottom);
  std::string out = s;
  for (std::size_t n = from; n < std::min(to, window.Items().size()); ++n, out += s) {
    if (const auto* l = std::get_if<LineItem>(&window.Items()[n]))
      std::snprintf(s, sizeof s, " L (%g,%g) (%g,%g) %d/%d;", l->x1, l->y1, l->x2, l->y2, l->colour,
                    l->penWidth);
    else if (const auto* c = std::get_if<CircleItem>(&window.Items()[n]))
      std::snprintf(s, sizeof s, " C (%g,%g) %g %d/%d;", c->x, c->y, c->radius, c->colour,
                    c->penWidth);
    else if (const auto* t = std::get_if<TextItem>(&window.Items()[n]))
      std::snprintf(s, sizeof s, " T (%g,%g) '%s' %g %d%s;", t->x, t->y, t->text.c_str(),
                    t->fontSize, t->colour, t->fontName == "Times New Roman" ? "" : "?");
  }
  return out;
}

}  // namespace kavrel::test
