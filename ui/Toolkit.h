// The window-and-question interface: the only way the analysis talks to the user.
// Windows are display lists with their drawing state; front ends render them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kavrel {

// The program's four passive windows, and the pictures of the full-scale prediction and of the
// uncertainty, which are drawn like windows but are not the front end's.
enum class WindowId {
  Ekran_Form1,
  Kavrel_Form1,
  Form_Faktor_Form1,
  Form_Faktor_Form2,
  Ship_Power,
  Uncertainty
};
inline constexpr std::array<WindowId, 4> AllWindows{WindowId::Ekran_Form1, WindowId::Kavrel_Form1,
                                                    WindowId::Form_Faktor_Form1,
                                                    WindowId::Form_Faktor_Form2};

// Twips are 1/1440 inch; front ends draw 15 twips to a pixel.
inline constexpr int TwipsPerPixel = 15;

// Placement of a window's client area on the screen, in twips.
struct Twips {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// The 16-colour palette; indices outside 0..15 give black.
Rgb PaletteColour(int index);

// Named palette indices used by the drawings.
namespace Colour {
inline constexpr int Black = 0;
inline constexpr int DarkBlue = 1;
inline constexpr int Green = 2;
inline constexpr int Cyan = 3;
inline constexpr int DarkRed = 4;
inline constexpr int Magenta = 5;
inline constexpr int DarkYellow = 6;
inline constexpr int LightGrey = 7;
inline constexpr int Grey = 8;
inline constexpr int LightBlue = 9;
inline constexpr int White = 15;
}  // namespace Colour

// User coordinates: the values at the top-left and the bottom-right corner of the
// client area. y grows upwards when top > bottom.
struct UserCoordinates {
  double left = 0;
  double top = 0;
  double right = 1;
  double bottom = 1;
};

// Display-list items. Each carries the user coordinates in force when it was drawn,
// so a later change of coordinates does not move what is already on the window.
struct LineItem {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int colour = 0;
  int penWidth = 1;
  UserCoordinates scale;
};
struct CircleItem {
  double x = 0, y = 0;
  double radius = 0;  // along the abscissa
  int colour = 0;
  int penWidth = 1;
  UserCoordinates scale;
};
struct TextItem {
  double x = 0, y = 0;  // top-left corner of the text
  std::string text;
  std::string fontName;
  double fontSize = 8;  // points
  int colour = 0;
  UserCoordinates scale;
};
using DrawItem = std::variant<LineItem, CircleItem, TextItem>;

// One passive window: caption, placement, drawing state and what is drawn on it.
class DisplayWindow {
 public:
  using ChangeHandler = std::function<void(const DisplayWindow&, const DrawItem* added)>;

  DisplayWindow(WindowId id, std::string caption, Twips placement);

  void Show();
  void Clear();
  void SetFontName(std::string_view name);
  void SetFontSize(double points);
  void SetTextColour(int colour);
  void SetPenWidth(int width);
  void SetUserCoordinates(double left, double top, double right, double bottom);
  void Line(double x1, double y1, double x2, double y2, int colour);
  void Circle(double x, double y, double radius, int colour);
  void SetPrintPosition(double x, double y);
  // Prints with the top-left corner at the print position, then moves the position
  // to the start of the next line.
  void Print(std::string_view text);
  // Appends an item as it was drawn elsewhere, for a front end that mirrors a window.
  void Add(DrawItem item);

  WindowId Id() const { return id_; }
  const std::string& Caption() const { return caption_; }
  const Twips& Placement() const { return placement_; }
  bool Shown() const { return shown_; }
  const std::vector<DrawItem>& Items() const { return items_; }
  const std::string& FontName() const { return fontName_; }
  double FontSize() const { return fontSize_; }
  int TextColour() const { return textColour_; }
  int PenWidth() const { return penWidth_; }
  const UserCoordinates& Coordinates() const { return scale_; }
  double PrintX() const { return printX_; }
  double PrintY() const { return printY_; }
  // Counts every change; front ends compare it to know what to redraw.
  std::uint64_t Revision() const { return revision_; }

  // Called after every change; `added` is the new item, or null for a state change.
  void OnChange(ChangeHandler handler) { onChange_ = std::move(handler); }

 private:
  void Changed(const DrawItem* added);

  WindowId id_;
  std::string caption_;
  Twips placement_;
  bool shown_ = false;
  std::string fontName_ = "MS Sans Serif";
  double fontSize_ = 8;
  int textColour_ = Colour::Black;
  int penWidth_ = 1;
  UserCoordinates scale_;
  double printX_ = 0;
  double printY_ = 0;
  std::vector<DrawItem> items_;
  std::uint64_t revision_ = 0;
  ChangeHandler onChange_;
};

// Height of one printed line in user units of the ordinate (negative when y grows upwards).
double LineAdvance(const Twips& placement, const UserCoordinates& scale, double fontSize);

// What the user is told when an analysis has ended with its report written; each front end
// presents it its own way.
struct Closing {
  std::string note{};        // the closing box: the folder, the files written, the form factor
  std::string reportPath{};  // where KAVREL.OUT was written
  std::string written{};     // every file written beside it, in order, comma-separated
  std::vector<std::string> pictureNotes{};  // each picture that carries a note, and the note
  std::string formFactors{};                // the (1+k) lines
  std::string shipSummary{};                // the prediction's summary; empty without a ship file
  std::string reportPage{};                 // the report page to offer for opening; empty for none
};

// Lines for the text window as a table: a title, then the rows, in as many columns as the
// window needs, each column under the lines of `head`.
struct TextTable {
  std::string title;
  std::vector<std::string> head;
  std::vector<std::string> rows;
};

// A modal question: prompt, title, the pre-filled default and its screen position.
struct Question {
  std::string prompt;
  std::string title;
  std::string defaultText;
  int leftTwips = 9500;
  int topTwips = 8500;
};

// The front end. The analysis receives one by reference.
class Toolkit {
 public:
  Toolkit();
  // The windows report their changes to this object, so it stays where it was made.
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;
  Toolkit(Toolkit&&) = delete;
  Toolkit& operator=(Toolkit&&) = delete;
  virtual ~Toolkit() = default;

  // Returns the typed text; the empty text when the box is cancelled. A front end
  // whose answers have run out throws InputFault; one whose user chose to stop the analysis
  // throws StoppedByUser.
  virtual std::string Ask(const Question& question) = 0;
  // A refused answer or a fault: a box with an OK button.
  virtual void Message(const std::string& text) = 0;
  // A note that the user should see before the program goes on (a procedure ended early, the
  // files written at the end). A front end with windows shows it in a box; the terminal says
  // it on standard error.
  virtual void Note(const std::string& /*text*/) {}
  // Lines for a front end without windows, where a window shows the same graphically (the
  // runs with their numbers before the range of a smoothing is chosen).
  virtual void Transcript(const std::string& /*text*/) {}
  // The runs with their numbers while the range and the order of a polynomial are asked: a
  // front end with windows shows them on the text window; one without has had them through
  // Transcript.
  virtual void ListRuns(const TextTable& /*runs*/) {}
  // How the user stops the analysis here, as the end of a sentence: "press ...".
  virtual std::string HowToStop() const { return "end the input"; }
  // The analysis has ended with its report written: a front end with windows shows the ship
  // summary on the text window and the closing note in a box, and closes every window once it
  // has been read; the terminal prints where the report went, the form factor and the summary.
  virtual void Finish(const Closing& /*closing*/) {}
  // The analysis has ended with a fault, already said on standard error: a front end with
  // windows shows it in a box too.
  virtual void Failed(const std::string& /*message*/) {}

  // One of the front end's four windows (AllWindows); the power picture is none of them.
  DisplayWindow& Window(WindowId id);
  const DisplayWindow& Window(WindowId id) const;

 protected:
  // Called after every change of a window.
  virtual void WindowChanged(const DisplayWindow& /*window*/, const DrawItem* /*added*/) {}

 private:
  std::array<DisplayWindow, 4> windows_;
};

}  // namespace kavrel
