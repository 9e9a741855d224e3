// The desktop front end on FLTK 1.3 and X11: the windows of DesktopWindows.h made and
// redrawn as the display lists change, questions in our own modal box, and fl_message for
// messages.
#include "frontends/DesktopToolkit.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <FL/x.H>

#include <cstdlib>

#include "frontends/DesktopWindows.h"

namespace kavrel {

namespace {

std::size_t Slot(WindowId id) {
  return static_cast<std::size_t>(id);
}

}  // namespace

DesktopToolkit::DesktopToolkit(OpenKey) {}

DesktopToolkit::~DesktopToolkit() {
  CloseWindows();
}

bool DesktopToolkit::OpenDisplay(std::string& whyNot) {
  if (fl_display == nullptr) {
    // FLTK ends the process when it cannot open the display itself; ask X first.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
      const char* name = std::getenv("DISPLAY");
      whyNot = name && *name ? std::string("cannot open the X display \"") + name + "\""
                             : std::string("no X display: DISPLAY is not set");
      return false;
    }
    fl_open_display(display);
  }
  Fl::visual(FL_RGB);
  desktop::RegisterFonts();
  fl_close = "OK";
  return true;
}

std::unique_ptr<DesktopToolkit> DesktopToolkit::Open(std::string& whyNot) {
  if (!OpenDisplay(whyNot)) return nullptr;
  return std::make_unique<DesktopToolkit>(OpenKey{});
}

void DesktopToolkit::WindowChanged(const DisplayWindow& window, const DrawItem* added) {
  if (!window.Shown()) return;  // drawn in full when it is first shown
  auto& slot = windows_[Slot(window.Id())];
  if (!slot) {
    slot = std::make_unique<desktop::DesktopWindow>(window);
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

namespace {

// As Fl_Window::wait_for_expose, but it ends too when the window is closed before its first
// expose (Return typed ahead, a window manager closing it), where FLTK's own waits for ever on
// the window's freed system data.
void WaitForFirstExpose(Fl_Window& window) {
  for (;;) {
    if (!window.shown()) return;
    const Fl_X* x = Fl_X::i(&window);
    if (x != nullptr && x->wait_for_expose == 0) return;
    Fl::wait();
  }
}

}  // namespace

std::string DesktopToolkit::Ask(const Question& question) {
  Fl::check();
  desktop::QuestionBox box(question);
  box.show();
  WaitForFirstExpose(box);
  box.FocusField();
  AwaitAnswer(box);
  return box.Result();
}

void DesktopToolkit::AwaitAnswer(desktop::QuestionBox& box) {
  while (box.shown()) Fl::wait();
}

void DesktopToolkit::Message(const std::string& text) {
  Fl::check();
  RunMessageBox(text);
}

void DesktopToolkit::RunMessageBox(const std::string& text) {
  fl_message("%s", text.c_str());
}

void DesktopToolkit::Finish() {
  CloseWindows();
}

desktop::DesktopWindow* DesktopToolkit::ShownWindow(WindowId id) const {
  return windows_[Slot(id)].get();
}

void DesktopToolkit::CloseWindows() {
  bool closed = false;
  for (auto& slot : windows_) {
    closed = closed || slot != nullptr;
    slot.reset();
  }
  if (closed) Fl::check();
}

std::unique_ptr<Toolkit> OpenDesktopToolkit(std::string& whyNot) {
  return DesktopToolkit::Open(whyNot);
}

}  // namespace kavrel
