// The desktop front end's FLTK windows: double-buffered windows whose drawing widget replays
// the display list, and the modal question box.
#include "desktop/DesktopWindows.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <strings.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <variant>
#include <vector>

namespace kavrel::desktop {

namespace {

// Fonts the program asks for by name, and the names handed to fontconfig (the leading
// blank is FLTK's mark for the regular face). fontconfig puts Liberation Serif in for
// Times New Roman, with the same widths, where fonts-liberation is installed. Literals,
// because FLTK keeps the pointer for as long as the process runs.
struct NamedFont {
  const char* name;
  const char* fontconfigName;
};
constexpr std::array<NamedFont, 4> NamedFonts{{{"Times New Roman", " Times New Roman"},
                                               {"MS Sans Serif", " MS Sans Serif"},
                                               {"Arial", " Arial"},
                                               {"Courier New", " Courier New"}}};

Fl_Font FontFor(const std::string& name) {
  for (std::size_t i = 0; i < NamedFonts.size(); ++i) {
    if (strcasecmp(name.c_str(), NamedFonts[i].name) == 0) {
      return static_cast<Fl_Font>(FL_FREE_FONT + i);
    }
  }
  return FL_HELVETICA;
}

Fl_Color ColourOf(int paletteIndex) {
  const Rgb rgb = PaletteColour(paletteIndex);
  return fl_rgb_color(rgb.red, rgb.green, rgb.blue);
}

// Pen widths are pixels and stay so when the window is resized: the run targets keep
// their rings.
void Pen(int colour, int width) {
  fl_color(ColourOf(colour));
  if (width <= 1) {
    fl_line_style(FL_SOLID, 0);
  } else {
    fl_line_style(FL_SOLID | FL_CAP_ROUND | FL_JOIN_ROUND, std::min(width, 100));
  }
}

// Takes a member widget out of its window before the window's destructor would delete it.
void ReleaseMembers(Fl_Group& group) {
  while (group.children() > 0) group.remove(group.children() - 1);
}

// Where the question and message boxes stand.
constexpr int BoxLeft = 9500 / TwipsPerPixel;
constexpr int BoxTop = 8500 / TwipsPerPixel;

// `at` moved only as far as needed for `size` pixels from it to lie inside [from, from + room].
int KeepOnScreen(int at, int size, int from, int room) {
  return std::max(from, std::min(at, from + room - size));
}

int TextWidth(const std::string& text) {
  return static_cast<int>(std::ceil(fl_width(text.data(), static_cast<int>(text.size()))));
}

// The word in pieces no wider than `width` in the current font, each of at least one whole
// UTF-8 character.
std::vector<std::string> Pieces(const std::string& word, int width) {
  std::vector<std::string> pieces{""};
  for (std::size_t at = 0; at < word.size();) {
    std::size_t end = at + 1;
    while (end < word.size() && (static_cast<unsigned char>(word[end]) & 0xC0U) == 0x80U) ++end;
    const std::string character = word.substr(at, end - at);
    if (!pieces.back().empty() && TextWidth(pieces.back() + character) > width) {
      pieces.emplace_back();
    }
    pieces.back() += character;
    at = end;
  }
  return pieces;
}

// The text's words, a word too wide for a line in pieces, put into lines no wider than `width`.
std::vector<std::string> WrapWords(const std::string& text, int width) {
  if (TextWidth(text) <= width) return {text};
  std::vector<std::string> lines{""};
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    for (const std::string& piece : Pieces(text.substr(at, end - at), width)) {
      if (piece.empty()) continue;
      if (lines.back().empty()) {
        lines.back() = piece;
      } else if (TextWidth(lines.back() + " " + piece) <= width) {
        lines.back() += " " + piece;
      } else {
        lines.push_back(piece);
      }
    }
    at = end + 1;
  }
  return lines;
}

constexpr int TableMargin = 10;

// The table in `columns` columns with the fixed-pitch font of `pixels` pixels.
TablePage TableIn(const TextTable& table, int pixels, std::size_t columns, PixelSize least) {
  fl_font(FontFor(TableFont), pixels);
  const int line = fl_height();
  const int gap = TextWidth("00");
  int column = 0;
  for (const auto* list : {&table.head, &table.rows}) {
    for (const std::string& text : *list) column = std::max(column, TextWidth(text));
  }
  const std::size_t rows = table.rows.size();
  const std::size_t perColumn = (rows + columns - 1) / columns;
  const std::size_t used = perColumn == 0 ? 1 : (rows + perColumn - 1) / perColumn;
  TablePage page;
  page.points = pixels * 0.75;  // at 96 pixels to the inch
  page.size.width =
      std::max(least.width, 2 * TableMargin + static_cast<int>(used) * (column + gap) - gap);
  int y = TableMargin;
  for (std::string& text : WrapWords(table.title, page.size.width - 2 * TableMargin)) {
    page.lines.push_back({TableMargin, y, std::move(text)});
    y += line;
  }
  if (!table.title.empty()) y += line / 2;
  for (std::size_t c = 0; c < used; ++c) {
    const int x = TableMargin + static_cast<int>(c) * (column + gap);
    int at = y;
    for (const std::string& text : table.head) {
      page.lines.push_back({x, at, text});
      at += line;
    }
    for (std::size_t r = c * perColumn; r < std::min(rows, (c + 1) * perColumn); ++r) {
      page.lines.push_back({x, at, table.rows[r]});
      at += line;
    }
  }
  const auto below = static_cast<int>(table.head.size() + perColumn) * line;
  page.size.height = std::max(least.height, y + below + TableMargin);
  return page;
}

}  // namespace

TablePage LayOutTable(const TextTable& table, PixelSize least, PixelSize near, PixelSize whole) {
  TablePage nearest;
  const std::size_t most = std::max<std::size_t>(1, table.rows.size());
  const auto fit = [&](PixelSize room, std::initializer_list<int> sizes) {
    for (const int pixels : sizes) {
      for (std::size_t columns = 1; columns <= most; ++columns) {
        TablePage page = TableIn(table, pixels, columns, least);
        if (page.size.width > room.width && columns > 1) break;  // more columns are wider still
        const bool fits = page.size.width <= room.width && page.size.height <= room.height;
        nearest = std::move(page);
        if (fits) return true;
      }
    }
    return false;
  };
  if (fit(near, {13, 12, 11, 10})) return nearest;
  fit(whole, {13, 12, 11, 10});
  return nearest;  // what fits, or the smallest font in as many columns as the width holds
}

std::string BreakLongWords(const std::string& text, int width) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find_first_of(" \n", at), text.size());
    const std::string word = text.substr(at, end - at);
    if (TextWidth(word) <= width) {
      out += word;
    } else {
      const std::vector<std::string> pieces = Pieces(word, width);
      for (std::size_t i = 0; i < pieces.size(); ++i) out += (i == 0 ? "" : "\n") + pieces[i];
    }
    if (end < text.size()) out += text[end];
    at = end + 1;
  }
  return out;
}

void RegisterFonts() {
  for (std::size_t i = 0; i < NamedFonts.size(); ++i) {
    Fl::set_font(static_cast<Fl_Font>(FL_FREE_FONT + i), NamedFonts[i].fontconfigName);
  }
}

Canvas::Canvas(const DisplayWindow& window, PixelSize size)
    : Fl_Widget(0, 0, size.width, size.height), window_(window), nominal_(size) {}

void Canvas::DrawAll() const {
  fl_push_clip(x(), y(), w(), h());
  fl_color(FL_WHITE);
  fl_rectf(x(), y(), w(), h());
  for (const DrawItem& item : window_.Items()) DrawOne(item);
  fl_line_style(0);
  fl_pop_clip();
}

void Canvas::draw() {
  const auto& items = window_.Items();
  if (damage() == FL_DAMAGE_USER1 && drawn_ <= items.size()) {
    fl_push_clip(x(), y(), w(), h());
    for (std::size_t i = drawn_; i < items.size(); ++i) DrawOne(items[i]);
    fl_line_style(0);
    fl_pop_clip();
  } else {
    DrawAll();
  }
  drawn_ = items.size();
}

// Positions follow the client area when the user resizes the window, and so do font sizes.
double Canvas::Zoom() const {
  return std::min(static_cast<double>(w()) / nominal_.width,
                  static_cast<double>(h()) / nominal_.height);
}

void Canvas::DrawOne(const DrawItem& item) const {
  const PixelSize size{w(), h()};
  if (const auto* line = std::get_if<LineItem>(&item)) {
    const PixelMap map(line->scale, size);
    const auto p =
        LinePixels(map, {line->x1, line->y1, line->x2, line->y2}, ClipMargin + line->penWidth);
    if (!p) return;
    Pen(line->colour, line->penWidth);
    fl_line(x() + p->x1, y() + p->y1, x() + p->x2, y() + p->y2);
  } else if (const auto* circle = std::get_if<CircleItem>(&item)) {
    const PixelMap map(circle->scale, size);
    const auto c = CirclePixels(map, circle->x, circle->y, circle->radius);
    if (!c) return;
    Pen(circle->colour, circle->penWidth);
    if (c->radius == 0) {
      fl_point(x() + c->x, y() + c->y);
    } else {
      fl_arc(x() + c->x - c->radius, y() + c->y - c->radius, 2 * c->radius, 2 * c->radius, 0, 360);
    }
  } else if (const auto* text = std::get_if<TextItem>(&item)) {
    const PixelMap map(text->scale, size);
    const auto at = TextPixels(map, text->x, text->y);
    if (!at || text->text.empty()) return;
    fl_font(FontFor(text->fontName), FontPixels(text->fontSize, Zoom()));
    fl_color(ColourOf(text->colour));
    // The item gives the top-left corner; FLTK draws from the baseline.
    fl_draw(text->text.c_str(), static_cast<int>(text->text.size()), x() + at->x,
            y() + at->y + fl_height() - fl_descent());
  }
}

DesktopWindow::DesktopWindow(const DisplayWindow& window)
    : Fl_Double_Window(
          window.Placement().left / TwipsPerPixel, window.Placement().top / TwipsPerPixel,
          NominalPixels(window.Placement()).width, NominalPixels(window.Placement()).height),
      window_(window),
      canvas_(window, NominalPixels(window.Placement())) {
  end();
  copy_label(window.Caption().c_str());
  xclass("kavrel");
  color(FL_WHITE);
  resizable(&canvas_);
  size_range(60, 40);
  callback([](Fl_Widget*, void*) {});
}

DesktopWindow::~DesktopWindow() {
  ReleaseMembers(*this);
}

namespace {
// Room for a window manager's frame and title bar.
constexpr int Frame = 10, TitleBar = 30;
}  // namespace

PixelSize DesktopWindow::Room(bool whereItIs) const {
  int left = 0, top = 0, width = 0, height = 0;
  Fl::screen_work_area(left, top, width, height, x(), y());
  if (!whereItIs) return {width - Frame, height - TitleBar};
  // Left of where the boxes stand, below the window's top.
  return {std::min(left + width, BoxLeft) - x() - Frame, top + height - y() - TitleBar};
}

void DesktopWindow::Fit(PixelSize size) {
  int left = 0, top = 0, width = 0, height = 0;
  Fl::screen_work_area(left, top, width, height, x(), y());
  canvas_.Renominate(size);
  resize(KeepOnScreen(x(), size.width + Frame, left, width),
         KeepOnScreen(y(), size.height + TitleBar, top, height), size.width, size.height);
  canvas_.Replaced();
  show();  // raised above the windows it now covers
  grown_ = true;
}

void DesktopWindow::Restore() {
  if (!grown_) return;
  grown_ = false;
  const PixelSize size = NominalPixels(window_.Placement());
  canvas_.Renominate(size);
  resize(window_.Placement().left / TwipsPerPixel, window_.Placement().top / TwipsPerPixel,
         size.width, size.height);
}

PromptBox::PromptBox(int x, int y, int w, int h, std::string text)
    : Fl_Box(x, y, w, h), text_(std::move(text)) {
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  shown_ = BreakLongWords(text_, w);
}

int PromptBox::HeightFor(const std::string& text, int width) {
  return SizeFor(text, width).second;
}

std::pair<int, int> PromptBox::SizeFor(const std::string& text, int maxWidth) {
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  int w = maxWidth, h = 0;
  fl_measure(BreakLongWords(text, maxWidth).c_str(), w, h, 0);
  return {std::min(w, maxWidth), h};
}

void PromptBox::draw() {
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  fl_color(FL_FOREGROUND_COLOR);
  fl_draw(shown_.c_str(), x(), y(), w(), h(), FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP,
          nullptr, 0);
}

QuestionBox::QuestionBox(const Question& question)
    : QuestionBox(question, std::max(PromptBox::HeightFor(question.prompt, PromptWidth),
                                     2 * RowHeight + 18)) {}

QuestionBox::QuestionBox(const Question& question, int promptHeight)
    : Fl_Window(question.leftTwips / TwipsPerPixel, question.topTwips / TwipsPerPixel, Width,
                Margin + promptHeight + 10 + RowHeight + Margin),
      prompt_(Margin, Margin, PromptWidth, promptHeight, question.prompt),
      field_(Margin, Margin + promptHeight + 10, Width - 2 * Margin, RowHeight),
      ok_(Width - Margin - ButtonWidth, Margin, ButtonWidth, RowHeight, "OK"),
      cancel_(Width - Margin - ButtonWidth, Margin + RowHeight + 6, ButtonWidth, RowHeight,
              "Cancel") {
  end();
  copy_label(question.title.c_str());
  xclass("kavrel");
  set_modal();
  field_.value(question.defaultText.c_str());
  field_.when(FL_WHEN_NEVER);
  ok_.callback([](Fl_Widget*, void* box) { static_cast<QuestionBox*>(box)->Close(true); }, this);
  cancel_.shortcut(FL_Escape);
  cancel_.callback([](Fl_Widget*, void* box) { static_cast<QuestionBox*>(box)->Close(false); },
                   this);
  callback([](Fl_Widget*, void* box) { static_cast<QuestionBox*>(box)->Close(false); }, this);
}

QuestionBox::~QuestionBox() {
  ReleaseMembers(*this);
}

void QuestionBox::FocusField() {
  field_.take_focus();
  field_.position(field_.size(), 0);
}

void QuestionBox::Close(bool ok) {
  result_ = ok ? field_.value() : "";
  hide();
}

}  // namespace kavrel::desktop

namespace kavrel::desktop {

namespace {

// The screen's work area around the question boxes' corner.
struct ScreenArea {
  int x = 0, y = 0, w = 0, h = 0;
};

ScreenArea ScreenAt(int x, int y) {
  ScreenArea area;
  Fl::screen_work_area(area.x, area.y, area.w, area.h, x, y);
  return area;
}

std::pair<int, int> MessageTextSize(const std::string& text) {
  const ScreenArea screen = ScreenAt(BoxLeft, BoxTop);
  const int chrome = 3 * MessageBox::Margin + MessageBox::IconSize;
  const int widest = std::max(100, screen.w * 9 / 10 - chrome);
  return PromptBox::SizeFor(text, std::min(MessageBox::MaxTextWidth, widest));
}

int MessageWidth(std::pair<int, int> textSize, bool offerOpen) {
  const int buttons =
      MessageBox::ButtonWidth + 6 + (offerOpen ? MessageBox::OpenWidth : MessageBox::ButtonWidth);
  return 2 * MessageBox::Margin +
         std::max(MessageBox::IconSize + MessageBox::Margin + textSize.first, buttons);
}

int MessageHeight(std::pair<int, int> textSize) {
  return 3 * MessageBox::Margin + std::max(MessageBox::IconSize, textSize.second) +
         MessageBox::RowHeight;
}

}  // namespace

MessageBox::MessageBox(const std::string& text, Kind kind, bool offerOpen)
    : MessageBox(text, kind, offerOpen, MessageTextSize(text)) {}

MessageBox::MessageBox(const std::string& text, Kind kind, bool offerOpen,
                       std::pair<int, int> textSize)
    : Fl_Window(KeepOnScreen(BoxLeft, MessageWidth(textSize, offerOpen),
                             ScreenAt(BoxLeft, BoxTop).x, ScreenAt(BoxLeft, BoxTop).w),
                KeepOnScreen(BoxTop, MessageHeight(textSize), ScreenAt(BoxLeft, BoxTop).y,
                             ScreenAt(BoxLeft, BoxTop).h),
                MessageWidth(textSize, offerOpen), MessageHeight(textSize)),
      kind_(kind),
      icon_(FL_THIN_UP_BOX, Margin, Margin, IconSize, IconSize,
            kind == Kind::Warning       ? "!"
            : kind == Kind::Information ? "i"
                                        : "?"),
      text_(2 * Margin + IconSize, Margin, textSize.first, std::max(IconSize, textSize.second),
            text),
      ok_(MessageWidth(textSize, offerOpen) - Margin - ButtonWidth,
          MessageHeight(textSize) - Margin - RowHeight, ButtonWidth, RowHeight,
          kind == Kind::StopQuestion ? "Stop" : "OK"),
      other_(MessageWidth(textSize, offerOpen) - Margin - 2 * ButtonWidth - 6,
             MessageHeight(textSize) - Margin - RowHeight, ButtonWidth, RowHeight, "Go on"),
      open_(MessageWidth(textSize, offerOpen) - Margin - ButtonWidth - 6 - OpenWidth,
            MessageHeight(textSize) - Margin - RowHeight, OpenWidth, RowHeight,
            "&Open the report") {
  end();
  label("kavrel");
  xclass("kavrel");
  set_modal();
  icon_.labelfont(FL_TIMES_BOLD);
  icon_.labelsize(34);
  icon_.color(FL_WHITE);
  icon_.labelcolor(kind == Kind::Warning ? FL_DARK_RED : FL_BLUE);
  ok_.callback([](Fl_Widget*, void* box) { static_cast<MessageBox*>(box)->Close(true); }, this);
  other_.callback([](Fl_Widget*, void* box) { static_cast<MessageBox*>(box)->Close(false); }, this);
  other_.shortcut(FL_Escape);
  if (kind != Kind::StopQuestion) other_.hide();
  open_.callback([](Fl_Widget*, void* box) { static_cast<MessageBox*>(box)->openAsked_ = true; },
                 this);
  if (!offerOpen) open_.hide();
  // The close box (and Escape where Go on is hidden): OK for a message, Go on for the question.
  callback([](Fl_Widget*, void* box) { static_cast<MessageBox*>(box)->Close(false); }, this);
}

MessageBox::~MessageBox() {
  ReleaseMembers(*this);
}

void MessageBox::Close(bool confirmed) {
  confirmed_ = confirmed;
  hide();
}

}  // namespace kavrel::desktop
