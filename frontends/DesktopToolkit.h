// The desktop front end: the four windows as FLTK windows that replay their display lists,
// and every question in a modal box of our own. Needs an X display.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Toolkit.h"

namespace kavrel {

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

class DesktopToolkit final : public Toolkit {
  struct OpenKey {};  // only Open makes one

 public:
  // Opens the display named by DISPLAY; null, with the reason in `whyNot`, when there is none.
  static std::unique_ptr<DesktopToolkit> Open(std::string& whyNot);
  explicit DesktopToolkit(OpenKey);
  ~DesktopToolkit() override;
  DesktopToolkit(const DesktopToolkit&) = delete;
  DesktopToolkit& operator=(const DesktopToolkit&) = delete;
  DesktopToolkit(DesktopToolkit&&) = delete;
  DesktopToolkit& operator=(DesktopToolkit&&) = delete;

  std::string Ask(const Question& question) override;
  void Message(const std::string& text) override;
  void Finish() override;

  // Answers typed by a program instead of a person (tests, demonstrations). The source sees
  // the box once it is on the screen and returns the text to type over the selected default,
  // which is then confirmed with Return; nothing means Escape. The keys go through the box's
  // own widgets. The source may throw to end the analysis.
  using AnswerSource = std::function<std::optional<std::string>(const QuestionBoxView&)>;
  void SetAnswerSource(AnswerSource source);
  // When set, each message box is shown, its text handed to the sink, and closed with Return.
  using MessageSink = std::function<void(const std::string& shownText)>;
  void SetMessageSink(MessageSink sink);

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
  void WindowChanged(const DisplayWindow& window, const DrawItem* added) override;

 private:
  void CloseWindows();

  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The desktop front end for the program; null, with the reason, when no display can be opened.
std::unique_ptr<Toolkit> OpenDesktopToolkit(std::string& whyNot);

}  // namespace kavrel
