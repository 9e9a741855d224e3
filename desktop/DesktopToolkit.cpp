// The desktop front end on FLTK 1.3 and X11: the windows of DesktopWindows.h made and
// redrawn as the display lists change, questions in our own modal box, and fl_message for
// messages.
#include "desktop/DesktopToolkit.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <cstdlib>

#include "desktop/DesktopWindows.h"
#include "text/Faults.h"

namespace kavrel {

namespace {

std::size_t Slot(WindowId id) {
  return static_cast<std::size_t>(id);
}

// Set by Ctrl+Q in any window of the program and by the close box of the text window Form1;
// taken by StopAsked. FLTK's event dispatch is one for the process, and so is this.
struct StopRequest {
  bool asked = false;
  const Fl_Window* textWindow = nullptr;  // Form1 on the screen
};

StopRequest& Stop() {
  static StopRequest request;
  return request;
}

// Sees every event before FLTK hands it on, even while a modal box would keep it from its
// window: Ctrl+Q anywhere, and the close box of Form1, ask to stop.
int Dispatch(int event, Fl_Window* window) {
  if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && (Fl::event_state() & FL_CTRL) != 0 &&
      (Fl::event_key() == 'q' || Fl::event_key() == 'Q')) {
    Stop().asked = true;
    return 1;
  }
  if (event == FL_CLOSE && window != nullptr && window == Stop().textWindow) {
    Stop().asked = true;
    return 1;
  }
  return Fl::handle_(event, window);
}

}  // namespace

bool DesktopToolkit::StopAsked() {
  const bool asked = Stop().asked;
  Stop().asked = false;
  return asked;
}

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
  Fl::event_dispatch(Dispatch);
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
    if (window.Id() == WindowId::Ekran_Form1) Stop().textWindow = slot.get();
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
  for (;;) {
    AwaitAnswer(box);
    if (!StopAsked()) break;
    ConfirmStop();  // Go on: the question stays as it was
    if (!box.shown()) break;
    box.FocusField();
  }
  return box.Result();
}

void DesktopToolkit::AwaitAnswer(desktop::QuestionBox& box) {
  while (box.shown() && !Stop().asked) Fl::wait();
}

void DesktopToolkit::ShowMessage(const std::string& text, desktop::BoxKind kind, bool stoppable) {
  Fl::check();
  desktop::MessageBox box(text, kind);
  box.show();
  WaitForFirstExpose(box);
  do {
    RunMessageBox(box);
    if (StopAsked() && stoppable) ConfirmStop();  // Go on: the message stays
  } while (box.shown());
}

void DesktopToolkit::ConfirmStop() {
  desktop::MessageBox box(StopQuestionText, desktop::BoxKind::StopQuestion);
  box.show();
  WaitForFirstExpose(box);
  while (box.shown()) {
    RunMessageBox(box);
    StopAsked();  // Ctrl+Q again while the question is up changes nothing
  }
  if (box.Confirmed()) throw StoppedByUser();
}

void DesktopToolkit::Message(const std::string& text) {
  ShowMessage(text, desktop::BoxKind::Warning, true);
}

void DesktopToolkit::Note(const std::string& text) {
  ShowMessage(text, desktop::BoxKind::Information, true);
}

std::string DesktopToolkit::HowToStop() const {
  return HowToStopText;
}

void DesktopToolkit::RunMessageBox(desktop::MessageBox& box) {
  while (box.shown() && !Stop().asked) Fl::wait();
}

void DesktopToolkit::Finish(const Closing& closing) {
  // Everything is written: a wish to stop here is met by closing the box.
  if (!closing.note.empty()) ShowMessage(closing.note, desktop::BoxKind::Information, false);
  CloseWindows();
}

desktop::DesktopWindow* DesktopToolkit::ShownWindow(WindowId id) const {
  return windows_[Slot(id)].get();
}

void DesktopToolkit::CloseWindows() {
  Stop().textWindow = nullptr;
  bool closed = false;
  for (auto& slot : windows_) {
    closed = closed || slot != nullptr;
    slot.reset();
  }
  if (closed) Fl::check();
}

}  // namespace kavrel
