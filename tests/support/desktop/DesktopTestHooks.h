// The desktop front end driven by a program instead of a person, for the tests and the
// benchmarks: answers typed into the real question boxes, the windows' pictures read back, and
// a person at the display for the boxes of the program's own front end.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/DesktopToolkit.h"

namespace kavrel::test {

// A question box as it stands on the screen, seen by an answer source.
struct QuestionBoxView {
  std::string title;      // the box's title bar
  std::string prompt;     // the text above the field
  std::string fieldText;  // what the field holds before anything is typed
  int selected = 0;       // characters of the field selected
  int left = 0, top = 0;  // screen position in pixels
};

// A message box as it stands on the screen, seen by a message source.
struct MessageBoxView {
  std::string title;
  std::string text;
  std::string icon;  // "!" a fault or refusal, "i" a note, "?" the stop question
  std::string
      buttons;  // the buttons shown, left to right: "OK", "Go on|Stop", "&Open the report|OK"
  int left = 0, top = 0, width = 0, height = 0;  // the box on the screen, in pixels
  int textWidth = 0, textHeight = 0;             // the wrapped text's box
  int buttonRight = 0, buttonBottom = 0;         // the default button's far corner, in the box
};

// The right and the bottom edge of the screen the boxes are kept on, in pixels.
std::pair<int, int> ScreenEdges();

// Typed as an answer, presses Ctrl+Q in the question box instead.
inline constexpr const char* PressCtrlQ = "\x11";

// A window's client area as pixels, row by row from the top, three bytes a pixel, and where it
// is on the screen.
struct WindowImage {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  Rgb At(int x, int y) const;
};

class TestDesktopToolkit : public DesktopToolkit {
 public:
  // Opens the display named by DISPLAY; null, with the reason in `whyNot`, when there is none.
  static std::unique_ptr<TestDesktopToolkit> Open(std::string& whyNot);
  explicit TestDesktopToolkit(OpenKey key) : DesktopToolkit(key) {}

  // The source sees each question box once it is on the screen and returns the text to type
  // over the selected default, which is then confirmed with Return. The keys go through the
  // box's own widgets. The source may throw to end the analysis. Every question needs one.
  using AnswerSource = std::function<std::string(const QuestionBoxView&)>;
  void SetAnswerSource(AnswerSource source) { answers_ = std::move(source); }
  // The source sees each message box once it is on the screen and returns true for Return (OK,
  // Stop) or false for Escape (Go on). Without one every box is confirmed. Each box seen is
  // kept in `messages`.
  using MessageSource = std::function<bool(const MessageBoxView&)>;
  void SetMessageSource(MessageSource source) { replies_ = std::move(source); }
  std::vector<MessageBoxView> messages;

  // The window's client area as it stands on the screen now (the window must not be covered),
  // or its whole picture drawn afresh off the screen; nothing while the window is not shown.
  std::optional<WindowImage> Image(WindowId id, bool offscreen = false) const;
  // Draws the whole window again on the screen and waits for the server to finish.
  void RedrawNow(WindowId id);

 protected:
  void AwaitAnswer(desktop::QuestionBox& box) override;
  void RunMessageBox(desktop::MessageBox& box) override;

 private:
  AnswerSource answers_;
  MessageSource replies_;
};

// A person at the display, for the boxes of a plain DesktopToolkit: does one thing to each
// of the next modal boxes once it is up (the next action waits for another box than the last),
// through the X server as a keyboard or a window manager would. Should a box still be up two
// seconds after the last action, it is hidden and Done() stays false.
class PersonAtDisplay {
 public:
  // CloseTextWindow and CloseGraphWindow close the window "Form1" or the coefficient graph as a
  // window manager would, while the box is up; after CloseGraphWindow the next action is for
  // the same box.
  enum class Action { Return, Escape, CloseBox, CtrlQ, CloseTextWindow, CloseGraphWindow };
  explicit PersonAtDisplay(Action action) : PersonAtDisplay(std::vector{action}) {}
  explicit PersonAtDisplay(std::vector<Action> actions);
  ~PersonAtDisplay();
  PersonAtDisplay(const PersonAtDisplay&) = delete;
  PersonAtDisplay& operator=(const PersonAtDisplay&) = delete;
  PersonAtDisplay(PersonAtDisplay&&) = delete;
  PersonAtDisplay& operator=(PersonAtDisplay&&) = delete;

  // The box closed on the action.
  bool Done() const { return acted_ && !ignored_; }
  // The text of the last box, when it was a message box (the stop question is one).
  const std::string& Read() const { return read_; }

 private:
  static void Act(void* self);
  static void GiveUp(void* self);

  std::vector<Action> actions_;
  std::size_t next_ = 0;
  const void* lastBox_ = nullptr;
  bool acted_ = false;
  bool ignored_ = false;
  std::string read_;
};

}  // namespace kavrel::test
