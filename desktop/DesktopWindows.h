// The FLTK windows of the desktop front end: the drawing widget that replays a display list,
// the passive window around it, and the question and message boxes. Internal to the module;
// DesktopToolkit.h names these classes without this header.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "ui/PixelMapping.h"
#include "ui/Toolkit.h"

namespace kavrel::desktop {

// A fault or a refused answer ("!"), a note ("i"), the stop question ("?").
enum class BoxKind { Warning, Information, StopQuestion };

// Hands the program's font names to fontconfig; once, after the display is open.
void RegisterFonts();

// Replays one window's display list. Items added since the last draw are drawn onto the
// back buffer alone; anything else (clear, show, expose, resize) draws the whole list.
class Canvas : public Fl_Widget {
 public:
  Canvas(const DisplayWindow& window, PixelSize size);

  void ItemAdded() { damage(FL_DAMAGE_USER1); }
  void Replaced() { redraw(); }
  // The size at which fonts are drawn at their own size.
  void Renominate(PixelSize size) { nominal_ = size; }

  // The whole picture at the widget's place, into whatever surface is current.
  void DrawAll() const;

 protected:
  void draw() override;

 private:
  double Zoom() const;
  void DrawOne(const DrawItem& item) const;

  const DisplayWindow& window_;
  PixelSize nominal_;
  std::size_t drawn_ = 0;
};

// One of the four passive windows: placed and sized from twips, resizable, deaf to the
// close box and to Escape.
class DesktopWindow : public Fl_Double_Window {
 public:
  explicit DesktopWindow(const DisplayWindow& window);
  ~DesktopWindow() override;
  DesktopWindow(const DesktopWindow&) = delete;
  DesktopWindow& operator=(const DesktopWindow&) = delete;
  DesktopWindow(DesktopWindow&&) = delete;
  DesktopWindow& operator=(DesktopWindow&&) = delete;

  Canvas& Drawing() { return canvas_; }

  // Grows to `size` pixels, drawn at that size, moved only as far as needed to stay on the
  // screen; Restore takes the window back to its placement.
  void Fit(PixelSize size);
  void Restore();
  // The room for a window on the screen where this one stands, less a window manager's frame:
  // the whole screen, or what lies below its top and right of its left edge, left of the boxes.
  PixelSize Room(bool whereItIs) const;

 private:
  const DisplayWindow& window_;
  Canvas canvas_;
  bool grown_ = false;
};

// A table laid out for the text window: its size in pixels, the font size, and each line with
// its top-left corner in pixels.
struct TablePage {
  struct Line {
    int x = 0, y = 0;
    std::string text;
  };
  PixelSize size;
  double points = 10;
  std::vector<Line> lines;
};

// The fixed-pitch font of tables.
inline constexpr const char* TableFont = "Courier New";

// The table in the fewest columns, at the largest of a few font sizes, that fit in `near` (the
// room where the window stands), or else in `whole` (the screen's); never smaller than `least`.
// The title is wrapped to the width.
TablePage LayOutTable(const TextTable& table, PixelSize least, PixelSize near, PixelSize whole);

// `text` with a line break put into each word wider than `width` pixels in the current font,
// wherever it has to be; FLTK's wrapping breaks lines only between words.
std::string BreakLongWords(const std::string& text, int width);

// The prompt, wrapped (a word too long for a line broken), with '@' and '&' taken as the
// characters they are.
class PromptBox : public Fl_Box {
 public:
  PromptBox(int x, int y, int w, int h, std::string text);
  const std::string& Text() const { return text_; }

  static int HeightFor(const std::string& text, int width);
  // The width and height of the text wrapped at `maxWidth`.
  static std::pair<int, int> SizeFor(const std::string& text, int maxWidth);

 protected:
  void draw() override;

 private:
  std::string text_;
  std::string shown_;  // with long words broken
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

  explicit QuestionBox(const Question& question);
  ~QuestionBox() override;
  QuestionBox(const QuestionBox&) = delete;
  QuestionBox& operator=(const QuestionBox&) = delete;
  QuestionBox(QuestionBox&&) = delete;
  QuestionBox& operator=(QuestionBox&&) = delete;

  // Puts the keyboard focus into the field, with the whole default selected.
  void FocusField();

  const std::string& Prompt() const { return prompt_.Text(); }
  const Fl_Input& Field() const { return field_; }
  const std::string& Result() const { return result_; }

 private:
  QuestionBox(const Question& question, int promptHeight);
  void Close(bool ok);

  PromptBox prompt_;
  Fl_Input field_;
  Fl_Return_Button ok_;
  Fl_Button cancel_;
  std::string result_;
};

// The program's own message box: the title "kavrel", an icon, the text wrapped to at most
// 480 pixels (and never wider than 90 % of the screen), and its buttons. Its top-left corner
// stands where the question boxes stand, moved only as far as needed to be wholly on the
// screen.
class MessageBox : public Fl_Window {
 public:
  // A fault or a refused answer ("!"), a note ("i"): an OK button (Return, Escape and the
  // close box close it too). The stop question ("?"): Stop (Return) and Go on (Escape, the
  // close box). A note may have "Open the report" (Alt+O, or O) beside OK, which leaves the box
  // up and sets OpenAsked.
  using Kind = BoxKind;
  static constexpr int MaxTextWidth = 480;
  static constexpr int Margin = 12;
  static constexpr int IconSize = 50;
  static constexpr int ButtonWidth = 84;
  static constexpr int RowHeight = 26;
  static constexpr int OpenWidth = 130;

  MessageBox(const std::string& text, Kind kind, bool offerOpen = false);
  ~MessageBox() override;
  MessageBox(const MessageBox&) = delete;
  MessageBox& operator=(const MessageBox&) = delete;
  MessageBox(MessageBox&&) = delete;
  MessageBox& operator=(MessageBox&&) = delete;

  Kind Type() const { return kind_; }
  const std::string& Text() const { return text_.Text(); }
  const PromptBox& TextBox() const { return text_; }
  const Fl_Box& Icon() const { return icon_; }
  // OK, or Stop; and Go on (hidden but for the stop question).
  const Fl_Return_Button& DefaultButton() const { return ok_; }
  const Fl_Button& OtherButton() const { return other_; }
  const Fl_Button& OpenButton() const { return open_; }
  // Whether "Open the report" was pressed since the last look; the press is taken.
  bool TakeOpenAsked() { return std::exchange(openAsked_, false); }
  bool OpenAsked() const { return openAsked_; }
  // Closed with OK or Stop (Return), rather than Go on, Escape or the close box.
  bool Confirmed() const { return confirmed_; }

 private:
  MessageBox(const std::string& text, Kind kind, bool offerOpen, std::pair<int, int> textSize);
  void Close(bool confirmed);

  Kind kind_;
  Fl_Box icon_;
  PromptBox text_;
  Fl_Return_Button ok_;
  Fl_Button other_;
  Fl_Button open_;
  bool confirmed_ = false;
  bool openAsked_ = false;
};

}  // namespace kavrel::desktop
