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

  std::string Ask(const Question& question) override;
  void Message(const std::string& text) override;
  void Finish() override;

 protected:
  // Opens the display and readies the fonts, for Open and the Open of a subclass.
  static bool OpenDisplay(std::string& whyNot);

  // The question box is on the screen with its default selected in the field: returns once
  // the box has closed. The user answers it here.
  virtual void AwaitAnswer(desktop::QuestionBox& box);
  // Shows the message box and returns once it has closed. The user confirms it here.
  virtual void RunMessageBox(const std::string& text);

  // The window on the screen for `id`; null while the window has not been shown.
  desktop::DesktopWindow* ShownWindow(WindowId id) const;

  void WindowChanged(const DisplayWindow& window, const DrawItem* added) override;

 private:
  void CloseWindows();

  std::array<std::unique_ptr<desktop::DesktopWindow>, 4> windows_;
};

// The desktop front end for the program; null, with the reason, when no display can be opened.
std::unique_ptr<Toolkit> OpenDesktopToolkit(std::string& whyNot);

}  // namespace kavrel
