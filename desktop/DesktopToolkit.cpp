// The desktop front end on FLTK 1.3 and X11: the windows of DesktopWindows.h made and
// redrawn as the display lists change, questions in our own modal box, and fl_message for
// messages.
#include "desktop/DesktopToolkit.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "desktop/DesktopWindows.h"
#include "text/Faults.h"
#include "ui/PixelMapping.h"

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
    if (window.Items().empty()) slot->Restore();  // cleared: a grown Form1 as it was placed
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
    if (!StopAsked()) continue;
    if (stoppable) {
      ConfirmStop();  // Go on: the message stays
    } else {
      box.hide();
      Stop().asked = true;  // for the closing box below it
    }
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
  while (box.shown() && !Stop().asked && !box.OpenAsked()) Fl::wait();
}

namespace {

// The program `name` in a folder of PATH (an empty entry, the current folder, is passed over);
// empty when there is none.
std::string FindOnPath(std::string_view name) {
  const char* path = std::getenv("PATH");
  for (std::string_view rest = path != nullptr ? path : ""; !rest.empty();) {
    const std::size_t colon = std::min(rest.find(':'), rest.size());
    const std::string_view folder = rest.substr(0, colon);
    rest.remove_prefix(std::min(colon + 1, rest.size()));
    if (folder.empty()) continue;
    std::string file = std::string(folder) + "/" + std::string(name);
    struct stat found {};
    if (::stat(file.c_str(), &found) == 0 && S_ISREG(found.st_mode) &&
        ::access(file.c_str(), X_OK) == 0) {
      return file;
    }
  }
  return {};
}

// Starts `program` with `argument` as its one argument, no shell between, in a session of its
// own with standard input and output on /dev/null, and leaves it to run. An opener that fails
// does so at once: it is given a second, the box staying alive, and its failure is returned.
// Empty when it started and has not failed.
std::string StartDetached(const std::string& program, const std::string& argument) {
  posix_spawn_file_actions_t files{};
  posix_spawnattr_t attributes{};
  posix_spawn_file_actions_init(&files);
  posix_spawnattr_init(&attributes);
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    posix_spawn_file_actions_addopen(&files, fd, "/dev/null",
                                     fd == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
  }
  sigset_t none{};
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
  std::string name = program, page = argument;
  std::array<char*, 3> arguments{name.data(), page.data(), nullptr};
  pid_t child = 0;
  const int error =
      posix_spawn(&child, program.c_str(), &files, &attributes, arguments.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) return program + " could not be started: " + std::strerror(error);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    const pid_t ended = ::waitpid(child, &status, WNOHANG);
    if (ended != child) {
      if (ended < 0) return {};
      Fl::wait(0.05);
      continue;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {};
    return program + (WIFEXITED(status)
                          ? " ended with exit status " + std::to_string(WEXITSTATUS(status))
                          : " was ended by signal " + std::to_string(WTERMSIG(status)));
  }
  return {};
}

}  // namespace

void DesktopToolkit::OpenPage(const std::string& opener, const std::string& page) {
  const std::string failure = StartDetached(opener, page);
  if (!failure.empty()) {
    ShowMessage("The report page " + page + " could not be opened: " + failure + ".",
                desktop::BoxKind::Warning, false);
  }
}

void DesktopToolkit::Finish(const Closing& closing) {
  if (!closing.note.empty()) {
    const std::string opener = closing.reportPage.empty() ? "" : FindOnPath(Opener);
    Fl::check();
    desktop::MessageBox box(closing.note, desktop::BoxKind::Information, !opener.empty());
    box.show();
    WaitForFirstExpose(box);
    while (box.shown()) {
      RunMessageBox(box);
      // Everything is written: a wish to stop is met by closing the box.
      if (StopAsked()) box.hide();
      if (box.TakeOpenAsked() && box.shown()) OpenPage(opener, closing.reportPage);
    }
  }
  CloseWindows();
}

void DesktopToolkit::ListRuns(const TextTable& runs) {
  ShowTable(runs);
}

void DesktopToolkit::ShowTable(const TextTable& table) {
  DisplayWindow& form = Window(WindowId::Ekran_Form1);
  if (!form.Shown()) form.Show();
  form.Clear();
  desktop::DesktopWindow& shown = *windows_[Slot(WindowId::Ekran_Form1)];
  const PixelSize placed = NominalPixels(form.Placement());
  const desktop::TablePage page =
      desktop::LayOutTable(table, placed, shown.Room(true), shown.Room(false));
  form.SetFontName(desktop::TableFont);
  form.SetFontSize(page.points);
  form.SetTextColour(Colour::DarkBlue);
  form.SetUserCoordinates(0, 0, page.size.width, page.size.height);
  if (page.size.width != placed.width || page.size.height != placed.height) shown.Fit(page.size);
  for (const auto& line : page.lines) {
    form.SetPrintPosition(line.x, line.y);
    form.Print(line.text);
  }
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
