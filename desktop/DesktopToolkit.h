// The desktop front end: the four windows as FLTK windows that replay their display lists,
// and every question in a modal box of our own. Needs an X display.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "ui/Toolkit.h"

namespace kavrel {

namespace desktop {
class DesktopWindow;
class QuestionBox;
class MessageBox;
enum class BoxKind;
}  // namespace desktop

class DesktopToolkit : public Toolkit {
 protected:
  struct OpenKey {};  // only Open, or a subclass's, makes one

 public:
  // Opens the display named by DISPLAY; null, with the reason in `whyNot`, when there is none.
  static std::unique_ptr<DesktopToolkit> Open(std::string& whyNot);
  explicit DesktopToolkit(OpenKey);
  ~DesktopToolkit() override;
  DesktopToolkit(const DesktopToolkit&) = delete;
  DesktopToolkit& operator=(const DesktopToolkit&) = delete;
  DesktopToolkit(DesktopToolkit&&) = delete;
  DesktopToolkit& operator=(DesktopToolkit&&) = delete;

  // Ctrl+Q in any of the program's windows and boxes, or the close box of the text window,
  // asks whether to stop; Stop throws StoppedByUser out of Ask, Message and Note.
  std::string Ask(const Question& question) override;
  void Message(const std::string& text) override;
  void Note(const std::string& text) override;
  std::string HowToStop() const override;
  // The runs on Form1, a table (ShowTable).
  void ListRuns(const TextTable& runs) override;
  // The closing note in a box; the windows close when it is dismissed. Everything is written
  // by then: Ctrl+Q and Form1's close box close it too. Where the desktop has an opener
  // (xdg-open on PATH) the box offers to open the report page, which the opener then shows
  // while kavrel goes on and ends.
  void Finish(const Closing& closing) override;
  // Form1 shows the table in a fixed-pitch font, in columns, grown to hold it where the
  // screen has room, until it is next cleared.
  void ShowTable(const TextTable& table);

  static constexpr const char* HowToStopText = "press Ctrl+Q or close the window Form1";
  static constexpr const char* Opener = "xdg-open";
  static constexpr const char* StopQuestionText =
      "Stop the analysis? No report will be written; an earlier KAVREL.OUT stays as it is.";

 protected:
  // Opens the display and readies the fonts, for Open and the Open of a subclass.
  static bool OpenDisplay(std::string& whyNot);

  // The question box is on the screen with its default selected in the field: returns once
  // the box has closed, or once the user has asked to stop. The user answers it here.
  virtual void AwaitAnswer(desktop::QuestionBox& box);
  // The message box is on the screen: returns once it has closed, or once the user has asked
  // to stop (Ctrl+Q, the text window's close box). The user confirms it here.
  virtual void RunMessageBox(desktop::MessageBox& box);

  // The window on the screen for `id`; null while the window has not been shown.
  desktop::DesktopWindow* ShownWindow(WindowId id) const;

  void WindowChanged(const DisplayWindow& window, const DrawItem* added) override;

  // Whether the user has asked to stop since the last look; the request is taken.
  static bool StopAsked();

 private:
  void CloseWindows();
  // Shows a message box and waits for it; `stoppable` boxes lead to the stop question when the
  // user asks to stop while they are up.
  void ShowMessage(const std::string& text, desktop::BoxKind kind, bool stoppable);
  // The stop question: throws StoppedByUser on Stop, returns on Go on.
  void ConfirmStop();
  // Starts the opener on the report page, detached; a failure is shown in a box.
  void OpenPage(const std::string& opener, const std::string& page);

  std::array<std::unique_ptr<desktop::DesktopWindow>, 4> windows_;
};

}  // namespace kavrel
