// The desktop front end driven by a program instead of a person, for the tests and the
// benchmarks: answers typed into the real question boxes, message boxes confirmed, and the
// windows' pictures read back.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "frontends/DesktopToolkit.h"

namespace kavrel::test {

// A question box as it stands on the screen, seen by an answer source.
struct QuestionBoxView {
  std::string title;      // the box's title bar
  std::string prompt;     // the text above the field
  std::string fieldText;  // what the field holds before anything is typed
  int selectionStart = 0;
  int selectionEnd = 0;
  int left = 0, top = 0;  // screen position in pixels
  int width = 0, height = 0;
};

// A window's client area as pixels, row by row from the top, three bytes a pixel.
struct WindowImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  Rgb At(int x, int y) const;
};

class TestDesktopToolkit : public DesktopToolkit {
 public:
  // Opens the display named by DISPLAY; null, with the reason in `whyNot`, when there is none.
  static std::unique_ptr<TestDesktopToolkit> Open(std::string& whyNot);
  explicit TestDesktopToolkit(OpenKey key) : DesktopToolkit(key) {}

  // The source sees each question box once it is on the screen and returns the text to type
  // over the selected default, which is then confirmed with Return; nothing means Escape.
  // The keys go through the box's own widgets. The source may throw to end the analysis.
  // Without a source the box waits for the user.
  using AnswerSource = std::function<std::optional<std::string>(const QuestionBoxView&)>;
  void SetAnswerSource(AnswerSource source) { answers_ = std::move(source); }
  // When set, each message box is shown, its text handed to the sink, and closed with Return.
  using MessageSink = std::function<void(const std::string& shownText)>;
  void SetMessageSink(MessageSink sink) { messages_ = std::move(sink); }

  // The window's picture drawn off screen at its current client size; nothing while the
  // window has not been shown.
  std::optional<WindowImage> Capture(WindowId id) const;
  // The client area as it stands on the screen now (the window must not be covered).
  std::optional<WindowImage> ScreenImage(WindowId id) const;
  // Where the window's client area is on the screen, in pixels; nothing while not shown.
  std::optional<Twips> ScreenPixels(WindowId id) const;
  // Draws the whole window again on the screen and waits for the server to finish.
  void RedrawNow(WindowId id);

 protected:
  void AwaitAnswer(desktop::QuestionBox& box) override;
  void RunMessageBox(const std::string& text) override;

 private:
  static void ConfirmMessage(void* self);

  AnswerSource answers_;
  MessageSink messages_;
  std::exception_ptr messageFault_;
};

// A person at the display, for the boxes of a plain DesktopToolkit: does one thing to the next
// modal box once it is up, through the X server as a keyboard or a window manager would.
// Should the box still be up two seconds later, it is hidden and Done() stays false.
class PersonAtDisplay {
 public:
  enum class Action { Return, Escape, CloseBox };
  explicit PersonAtDisplay(Action action);
  ~PersonAtDisplay();
  PersonAtDisplay(const PersonAtDisplay&) = delete;
  PersonAtDisplay& operator=(const PersonAtDisplay&) = delete;
  PersonAtDisplay(PersonAtDisplay&&) = delete;
  PersonAtDisplay& operator=(PersonAtDisplay&&) = delete;

  // The box closed on the action.
  bool Done() const { return acted_ && !ignored_; }

 private:
  static void Act(void* self);
  static void GiveUp(void* self);

  Action action_;
  bool acted_ = false;
  bool ignored_ = false;
};

}  // namespace kavrel::test
