#include "tests/support/desktop/DesktopTestHooks.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <stdexcept>
#include <tuple>

#include "desktop/DesktopWindows.h"

namespace kavrel::test {

namespace {

// Sends one key to a window as the X server would, through FLTK's own dispatch: the
// focused widget first, then the shortcuts of the window's buttons.
// `text` is a copy of its own: FLTK takes the key's text as a char*.
// cppcheck-suppress passedByValue
void SendKey(Fl_Window& window, int keysym, std::string text, int state = 0) {
  const auto saved = std::tuple(Fl::e_keysym, Fl::e_state, Fl::e_text, Fl::e_length);
  std::tie(Fl::e_keysym, Fl::e_state, Fl::e_text, Fl::e_length) =
      std::tuple(keysym, state, text.data(), static_cast<int>(text.size()));
  Fl::handle(FL_KEYBOARD, &window);
  std::tie(Fl::e_keysym, Fl::e_state, Fl::e_text, Fl::e_length) = saved;
}

QuestionBoxView ViewOf(const desktop::QuestionBox& box) {
  const Fl_Input& field = box.Field();
  return {box.label() ? box.label() : "",
          box.Prompt(),
          field.value(),
          std::abs(field.position() - field.mark()),
          box.x(),
          box.y()};
}

MessageBoxView ViewOf(const desktop::MessageBox& box) {
  MessageBoxView view{box.label() ? box.label() : "",
                      box.Text(),
                      box.Icon().label() ? box.Icon().label() : "",
                      "",
                      box.x(),
                      box.y(),
                      box.w(),
                      box.h(),
                      box.TextBox().w(),
                      box.TextBox().h(),
                      box.DefaultButton().x() + box.DefaultButton().w(),
                      box.DefaultButton().y() + box.DefaultButton().h()};
  for (const Fl_Button* other : {&box.OtherButton(), &box.OpenButton()}) {
    if (other->visible()) view.buttons += std::string(other->label()) + "|";
  }
  view.buttons += box.DefaultButton().label();
  return view;
}

// Draws the canvas into a pixmap of its size and reads it back. Not a member: FLTK's
// offscreen macros name X11's Window, which a member would take for Toolkit::Window.
void DrawOffscreen(const desktop::Canvas& canvas, WindowImage& image) {
  const Fl_Offscreen offscreen = fl_create_offscreen(canvas.w(), canvas.h());
  {  // fl_begin_offscreen declares the variables that fl_end_offscreen restores
    fl_begin_offscreen(offscreen);
    canvas.DrawAll();
    fl_read_image(image.rgb.data(), canvas.x(), canvas.y(), canvas.w(), canvas.h());
    fl_end_offscreen();
  }
  fl_delete_offscreen(offscreen);
}

}  // namespace

std::pair<int, int> ScreenEdges() {
  int x = 0, y = 0, w = 0, h = 0;
  Fl::screen_work_area(x, y, w, h, 633, 566);
  return {x + w, y + h};
}

Rgb WindowImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
  return {rgb[at], rgb[at + 1], rgb[at + 2]};
}

std::unique_ptr<TestDesktopToolkit> TestDesktopToolkit::Open(std::string& whyNot) {
  if (!OpenDisplay(whyNot)) return nullptr;
  return std::make_unique<TestDesktopToolkit>(OpenKey{});
}

void TestDesktopToolkit::AwaitAnswer(desktop::QuestionBox& box) {
  Fl::check();
  const std::string answer = answers_(ViewOf(box));
  if (answer == PressCtrlQ) return SendKey(box, 'q', "\x11", FL_CTRL);
  for (const char c : answer) SendKey(box, static_cast<unsigned char>(c), {c});
  SendKey(box, FL_Enter, "\r");
  if (box.shown()) throw std::logic_error("the question box did not close on Return");
}

void TestDesktopToolkit::RunMessageBox(desktop::MessageBox& box) {
  Fl::check();
  messages.push_back(ViewOf(box));
  const bool confirm = !replies_ || replies_(messages.back());
  SendKey(box, confirm ? FL_Enter : FL_Escape, confirm ? "\r" : "\x1b");
  if (box.shown()) throw std::logic_error("the message box did not close");
}

std::optional<WindowImage> TestDesktopToolkit::Image(WindowId id, bool offscreen) const {
  desktop::DesktopWindow* window = ShownWindow(id);
  if (window == nullptr) return std::nullopt;
  Fl::flush();
  XSync(fl_display, False);
  const desktop::Canvas& canvas = window->Drawing();
  WindowImage image{
      window->x(), window->y(), canvas.w(), canvas.h(),
      std::vector<std::uint8_t>(static_cast<std::size_t>(canvas.w()) * canvas.h() * 3)};
  window->make_current();
  if (offscreen) {
    DrawOffscreen(canvas, image);
  } else {
    fl_read_image(image.rgb.data(), canvas.x(), canvas.y(), canvas.w(), canvas.h());
  }
  return image;
}

void TestDesktopToolkit::RedrawNow(WindowId id) {
  desktop::DesktopWindow* window = ShownWindow(id);
  if (window == nullptr) return;
  window->Drawing().Replaced();
  Fl::flush();
  XSync(fl_display, False);
}

PersonAtDisplay::PersonAtDisplay(std::vector<Action> actions) : actions_(std::move(actions)) {
  Fl::add_timeout(0.0, Act, this);
}

PersonAtDisplay::~PersonAtDisplay() {
  Fl::remove_timeout(Act, this);
  Fl::remove_timeout(GiveUp, this);
}

namespace {

// The program's window with this caption, if it is on the screen.
Fl_Window* WindowCalled(const char* caption) {
  for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
    if (w->label() != nullptr && std::string(w->label()) == caption) return w;
  }
  return nullptr;
}

// What a window manager sends when the user clicks a window's close box.
void SendClose(Fl_Window& window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = fl_xid(&window);
  event.xclient.message_type = XInternAtom(fl_display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  const Atom deleteWindow = XInternAtom(fl_display, "WM_DELETE_WINDOW", False);
  // Xlib's client message carries its data in a union.
  event.xclient.data.l[0] = static_cast<long>(deleteWindow);  // NOLINT(*-union-access)
  XSendEvent(fl_display, fl_xid(&window), False, NoEventMask, &event);
}

// A key pressed and released in the window, as the X server sends it.
void SendKeyPress(Fl_Window& window, KeySym key, unsigned int state) {
  XEvent event{};
  event.xkey.type = KeyPress;
  event.xkey.window = fl_xid(&window);
  event.xkey.root = DefaultRootWindow(fl_display);
  event.xkey.same_screen = True;
  event.xkey.state = state;
  event.xkey.keycode = XKeysymToKeycode(fl_display, key);
  XSendEvent(fl_display, fl_xid(&window), True, KeyPressMask, &event);
  event.xkey.type = KeyRelease;
  XSendEvent(fl_display, fl_xid(&window), True, KeyReleaseMask, &event);
}

}  // namespace

void PersonAtDisplay::Act(void* self) {
  auto& person = *static_cast<PersonAtDisplay*>(self);
  // The person acts once a new box is on the screen: FLTK has had its first expose.
  Fl_Window* box = Fl::modal();
  if (box == nullptr || !box->shown() || Fl_X::i(box)->wait_for_expose ||
      (box == person.lastBox_ && person.next_ > 0)) {
    Fl::repeat_timeout(0.01, Act, self);
    return;
  }
  Fl::remove_timeout(GiveUp, self);
  const auto* message = dynamic_cast<const desktop::MessageBox*>(box);
  person.read_ = message != nullptr ? message->Text() : "";
  switch (person.actions_[person.next_]) {
    case Action::CloseBox:
      SendClose(*box);
      break;
    case Action::CloseTextWindow:
      if (Fl_Window* form1 = WindowCalled("Form1")) SendClose(*form1);
      break;
    case Action::CloseGraphWindow:
      if (Fl_Window* graph = WindowCalled("Graphics for Fn-Ctm, Cvm, Cr")) SendClose(*graph);
      break;
    case Action::CtrlQ:
      SendKeyPress(*box, XK_q, ControlMask);
      break;
    case Action::Return:
      SendKeyPress(*box, XK_Return, 0);
      break;
    case Action::Escape:
      SendKeyPress(*box, XK_Escape, 0);
      break;
  }
  XFlush(fl_display);
  const Action done = person.actions_[person.next_];
  // Closing a graph window brings no new box: the next action is for the same one.
  if (done != Action::CloseGraphWindow) person.lastBox_ = box;
  if (++person.next_ < person.actions_.size()) {
    Fl::repeat_timeout(0.01, Act, self);
  } else {
    person.acted_ = true;
  }
  Fl::add_timeout(2.0, GiveUp, self);
}

void PersonAtDisplay::GiveUp(void* self) {
  auto& person = *static_cast<PersonAtDisplay*>(self);
  if (Fl_Window* box = Fl::modal(); box != nullptr) {
    person.ignored_ = true;
    box->hide();
  }
}

}  // namespace kavrel::test
