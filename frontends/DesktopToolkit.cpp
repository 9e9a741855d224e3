// The desktop front end on FLTK 1.3 and X11: double-buffered windows whose drawing widget
// replays the display list, a modal question box of our own, and fl_message for messages.
#include "frontends/DesktopToolkit.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>
#include <FL/fl_utf8.h>
#include <FL/x.H>

#include <strings.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <utility>
#include <variant>

#include "frontends/PixelMapping.h"

namespace kavrel {

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

void RegisterFonts() {
  for (std::size_t i = 0; i < NamedFonts.size(); ++i) {
    Fl::set_font(static_cast<Fl_Font>(FL_FREE_FONT + i), NamedFonts[i].fontconfigName);
  }
}

Fl_Color ColourOf(int paletteIndex) {
  const Rgb rgb = PaletteColour(paletteIndex);
  return fl_rgb_color(rgb.red, rgb.green, rgb.blue);
}

// Sends one key to a window as the X server would, through FLTK's own dispatch: the
// focused widget first, then the shortcuts of the window's buttons.
// `text` is a copy of its own: FLTK takes the key's text as a char*.
// cppcheck-suppress passedByValue
void SendKey(Fl_Window& window, int keysym, std::string text) {
  char* const savedText = Fl::e_text;
  const int savedLength = Fl::e_length;
  const int savedKeysym = Fl::e_keysym;
  const int savedState = Fl::e_state;
  Fl::e_keysym = keysym;
  Fl::e_state = 0;
  Fl::e_text = text.data();
  Fl::e_length = static_cast<int>(text.size());
  Fl::handle(FL_KEYBOARD, &window);
  Fl::e_text = savedText;
  Fl::e_length = savedLength;
  Fl::e_keysym = savedKeysym;
  Fl::e_state = savedState;
}

// Types a text one character (one UTF-8 sequence) at a time.
void TypeText(Fl_Window& window, const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    int length = fl_utf8len1(text[at]);
    if (length < 1) length = 1;
    const std::string character = text.substr(at, static_cast<std::size_t>(length));
    SendKey(window, static_cast<unsigned char>(character[0]), character);
    at += character.size();
  }
}

// Takes a member widget out of its window before the window's destructor would delete it.
void ReleaseMembers(Fl_Group& group) {
  while (group.children() > 0) group.remove(group.children() - 1);
}

// Replays one window's display list. Items added since the last draw are drawn onto the
// back buffer alone; anything else (clear, show, expose, resize) draws the whole list.
class Canvas : public Fl_Widget {
 public:
  Canvas(const DisplayWindow& window, PixelSize size)
      : Fl_Widget(0, 0, size.width, size.height), window_(window), nominal_(size) {}

  void ItemAdded() { damage(FL_DAMAGE_USER1); }
  void Replaced() { redraw(); }

  // The whole picture at the widget's place, into whatever surface is current.
  void DrawAll() const {
    fl_push_clip(x(), y(), w(), h());
    fl_color(FL_WHITE);
    fl_rectf(x(), y(), w(), h());
    for (const DrawItem& item : window_.Items()) DrawOne(item);
    fl_line_style(0);
    fl_pop_clip();
  }

 protected:
  void draw() override {
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

 private:
  // Positions follow the client area when the user resizes the window, and so do font sizes.
  double Zoom() const {
    return std::min(static_cast<double>(w()) / nominal_.width,
                    static_cast<double>(h()) / nominal_.height);
  }

  // Pen widths are pixels and stay so when the window is resized: the run targets keep
  // their rings.
  static void Pen(int colour, int width) {
    fl_color(ColourOf(colour));
    if (width <= 1) {
      fl_line_style(FL_SOLID, 0);
    } else {
      fl_line_style(FL_SOLID | FL_CAP_ROUND | FL_JOIN_ROUND, std::min(width, 100));
    }
  }

  void DrawOne(const DrawItem& item) const {
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
        fl_arc(x() + c->x - c->radius, y() + c->y - c->radius, 2 * c->radius, 2 * c->radius, 0,
               360);
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

  const DisplayWindow& window_;
  PixelSize nominal_;
  std::size_t drawn_ = 0;
};

// One of the four passive windows: placed and sized from twips, resizable, deaf to the
// close box and to Escape.
class DesktopWindow : public Fl_Double_Window {
 public:
  explicit DesktopWindow(const DisplayWindow& window)
      : Fl_Double_Window(
            window.Placement().left / TwipsPerPixel, window.Placement().top / TwipsPerPixel,
            NominalPixels(window.Placement()).width, NominalPixels(window.Placement()).height),
        canvas_(window, NominalPixels(window.Placement())) {
    end();
    copy_label(window.Caption().c_str());
    xclass("kavrel");
    color(FL_WHITE);
    resizable(&canvas_);
    size_range(60, 40);
    callback([](Fl_Widget*, void*) {});
  }
  ~DesktopWindow() override { ReleaseMembers(*this); }
  DesktopWindow(const DesktopWindow&) = delete;
  DesktopWindow& operator=(const DesktopWindow&) = delete;
  DesktopWindow(DesktopWindow&&) = delete;
  DesktopWindow& operator=(DesktopWindow&&) = delete;

  Canvas& Drawing() { return canvas_; }

 private:
  Canvas canvas_;
};

// The prompt, wrapped, with '@' and '&' taken as the characters they are.
class PromptBox : public Fl_Box {
 public:
  PromptBox(int x, int y, int w, int h, std::string text)
      : Fl_Box(x, y, w, h), text_(std::move(text)) {}
  const std::string& Text() const { return text_; }

  static int HeightFor(const std::string& text, int width) {
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    int w = width, h = 0;
    fl_measure(text.c_str(), w, h, 0);
    return h;
  }

 protected:
  void draw() override {
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    fl_color(FL_FOREGROUND_COLOR);
    fl_draw(text_.c_str(), x(), y(), w(), h(), FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP,
            nullptr, 0);
  }

 private:
  std::string text_;
};

// The question box: title, prompt, a field holding the selected default, OK (Return) and
// Cancel (Escape or the close box, giving the empty text).
class QuestionBox : public Fl_Window {
 public:
  static constexpr int Width = 420;
  static constexpr int Margin = 12;
  static constexpr int PromptWidth = 300;
  static constexpr int ButtonWidth = 84;
  static constexpr int RowHeight = 26;

  explicit QuestionBox(const Question& question)
      : QuestionBox(question, std::max(PromptBox::HeightFor(question.prompt, PromptWidth),
                                       2 * RowHeight + 18)) {}

  ~QuestionBox() override { ReleaseMembers(*this); }
  QuestionBox(const QuestionBox&) = delete;
  QuestionBox& operator=(const QuestionBox&) = delete;
  QuestionBox(QuestionBox&&) = delete;
  QuestionBox& operator=(QuestionBox&&) = delete;

  // Puts the keyboard focus into the field, with the whole default selected.
  void FocusField() {
    field_.take_focus();
    field_.position(field_.size(), 0);
  }

  QuestionBoxView View() const {
    return {label() ? label() : "",
            prompt_.Text(),
            field_.value(),
            std::min(field_.position(), field_.mark()),
            std::max(field_.position(), field_.mark()),
            x(),
            y(),
            w(),
            h()};
  }

  const std::string& Result() const { return result_; }

 private:
  QuestionBox(const Question& question, int promptHeight)
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

  void Close(bool ok) {
    result_ = ok ? field_.value() : "";
    hide();
  }

  PromptBox prompt_;
  Fl_Input field_;
  Fl_Return_Button ok_;
  Fl_Button cancel_;
  std::string result_;
};

std::size_t Slot(WindowId id) {
  return static_cast<std::size_t>(id);
}

// Draws the window's picture into a pixmap of the client size and reads it back.
WindowImage CaptureDrawing(DesktopWindow& window) {
  const Canvas& canvas = window.Drawing();
  WindowImage image{
      canvas.w(), canvas.h(),
      std::vector<std::uint8_t>(static_cast<std::size_t>(canvas.w()) * canvas.h() * 3)};
  window.make_current();
  const Fl_Offscreen offscreen = fl_create_offscreen(canvas.w(), canvas.h());
  {
    fl_begin_offscreen(offscreen);
    canvas.DrawAll();
    fl_read_image(image.rgb.data(), canvas.x(), canvas.y(), canvas.w(), canvas.h());
    fl_end_offscreen();
  }
  fl_delete_offscreen(offscreen);
  return image;
}

}  // namespace

Rgb WindowImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
  return {rgb[at], rgb[at + 1], rgb[at + 2]};
}

struct DesktopToolkit::Impl {
  std::array<std::unique_ptr<DesktopWindow>, 4> windows;
  AnswerSource answers;
  MessageSink messages;
  std::exception_ptr messageFault;

  // Runs inside fl_message's loop once the box is up: hands its text to the sink and
  // confirms the box with Return.
  static void ConfirmMessage(void* data) {
    auto& impl = *static_cast<Impl*>(data);
    Fl_Window* box = Fl::modal();
    if (box == nullptr || !box->shown()) {
      Fl::repeat_timeout(0.01, ConfirmMessage, data);
      return;
    }
    std::string shown;
    for (int i = 0; i < box->children(); ++i) {
      const Fl_Widget* child = box->child(i);
      if (child->label() && std::string(child->label()).size() > shown.size() &&
          dynamic_cast<const Fl_Button*>(child) == nullptr) {
        shown = child->label();
      }
    }
    try {
      impl.messages(shown);
    } catch (...) {
      impl.messageFault = std::current_exception();
    }
    SendKey(*box, FL_Enter, "\r");
    if (box->shown()) box->hide();
  }
};

DesktopToolkit::DesktopToolkit(OpenKey) : impl_(std::make_unique<Impl>()) {}

DesktopToolkit::~DesktopToolkit() {
  CloseWindows();
}

std::unique_ptr<DesktopToolkit> DesktopToolkit::Open(std::string& whyNot) {
  if (fl_display == nullptr) {
    // FLTK ends the process when it cannot open the display itself; ask X first.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
      const char* name = std::getenv("DISPLAY");
      whyNot = name && *name ? std::string("cannot open the X display \"") + name + "\""
                             : std::string("no X display: DISPLAY is not set");
      return nullptr;
    }
    fl_open_display(display);
  }
  Fl::visual(FL_RGB);
  RegisterFonts();
  fl_close = "OK";
  return std::make_unique<DesktopToolkit>(OpenKey{});
}

void DesktopToolkit::SetAnswerSource(AnswerSource source) {
  impl_->answers = std::move(source);
}

void DesktopToolkit::SetMessageSink(MessageSink sink) {
  impl_->messages = std::move(sink);
}

void DesktopToolkit::WindowChanged(const DisplayWindow& window, const DrawItem* added) {
  if (!window.Shown()) return;  // drawn in full when it is first shown
  auto& slot = impl_->windows[Slot(window.Id())];
  if (!slot) {
    slot = std::make_unique<DesktopWindow>(window);
    slot->show();
    slot->wait_for_expose();
  } else if (added != nullptr) {
    slot->Drawing().ItemAdded();
  } else {
    slot->Drawing().Replaced();
  }
  // Synchronous drawing: the picture is on the screen before the next question.
  Fl::check();
}

std::string DesktopToolkit::Ask(const Question& question) {
  Fl::check();
  QuestionBox box(question);
  box.show();
  box.wait_for_expose();
  box.FocusField();
  if (!impl_->answers) {
    while (box.shown()) Fl::wait();
    return box.Result();
  }
  Fl::check();
  const std::optional<std::string> typed = impl_->answers(box.View());
  if (typed) {
    TypeText(box, *typed);
    SendKey(box, FL_Enter, "\r");
  } else {
    SendKey(box, FL_Escape, "\x1b");
  }
  if (box.shown()) throw std::logic_error("the question box did not close on Return or Escape");
  return box.Result();
}

void DesktopToolkit::Message(const std::string& text) {
  Fl::check();
  if (impl_->messages) Fl::add_timeout(0.0, Impl::ConfirmMessage, impl_.get());
  fl_message("%s", text.c_str());
  Fl::remove_timeout(Impl::ConfirmMessage, impl_.get());
  if (impl_->messageFault) std::rethrow_exception(std::exchange(impl_->messageFault, nullptr));
}

void DesktopToolkit::Finish() {
  CloseWindows();
}

void DesktopToolkit::CloseWindows() {
  bool closed = false;
  for (auto& slot : impl_->windows) {
    closed = closed || slot != nullptr;
    slot.reset();
  }
  if (closed) Fl::check();
}

std::optional<WindowImage> DesktopToolkit::Capture(WindowId id) const {
  DesktopWindow* window = impl_->windows[Slot(id)].get();
  if (window == nullptr) return std::nullopt;
  return CaptureDrawing(*window);
}

std::optional<WindowImage> DesktopToolkit::ScreenImage(WindowId id) const {
  DesktopWindow* window = impl_->windows[Slot(id)].get();
  if (window == nullptr) return std::nullopt;
  Fl::flush();
  XSync(fl_display, False);
  const Canvas& canvas = window->Drawing();
  WindowImage image{
      canvas.w(), canvas.h(),
      std::vector<std::uint8_t>(static_cast<std::size_t>(canvas.w()) * canvas.h() * 3)};
  window->make_current();
  fl_read_image(image.rgb.data(), canvas.x(), canvas.y(), canvas.w(), canvas.h());
  return image;
}

std::optional<Twips> DesktopToolkit::ScreenPixels(WindowId id) const {
  const DesktopWindow* window = impl_->windows[Slot(id)].get();
  if (window == nullptr) return std::nullopt;
  return Twips{window->x(), window->y(), window->w(), window->h()};
}

void DesktopToolkit::RedrawNow(WindowId id) {
  DesktopWindow* window = impl_->windows[Slot(id)].get();
  if (window == nullptr) return;
  window->Drawing().Replaced();
  Fl::flush();
  XSync(fl_display, False);
}

std::unique_ptr<Toolkit> OpenDesktopToolkit(std::string& whyNot) {
  return DesktopToolkit::Open(whyNot);
}

}  // namespace kavrel
