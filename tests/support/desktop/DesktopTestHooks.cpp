#include "tests/support/desktop/DesktopTestHooks.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/fl_utf8.h>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>

#include "frontends/DesktopWindows.h"

namespace kavrel::test {

namespace {

// Sends one key to a window as the X server would, through FLTK's own dispatch: the
// focused widget first, then the shortcuts of the window's buttons.
// `text` is a copy of its own: FLTK takes the key's text as a char*.
// cppcheck-suppress passedByValue
void SendKey(Fl_Window& window, int keysym, std::string text) {
  char* const savedText = Fl::e_text;
  const int savedLength = Fl::e_length;
  const int savedKeysym = Fl::e_keysym;
  const int savedState = Fl::e_state;
  Fl::e_keysym = keysym;
  Fl::e_state = 0;
  Fl::e_text = text.data();
  Fl::e_length = static_cast<int>(text.size());
  Fl::handle(FL_KEYBOARD, &window);
  Fl::e_text = savedText;
  Fl::e_length = savedLength;
  Fl::e_keysym = savedKeysym;
  Fl::e_state = savedState;
}

// Types a text one character (one UTF-8 sequence) at a time.
void TypeText(Fl_Window& window, const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    int length = fl_utf8len1(text[at]);
    if (length < 1) length = 1;
    const std::string character = text.substr(at, static_cast<std::size_t>(length));
    SendKey(window, static_cast<unsigned char>(character[0]), character);
    at += character.size();
  }
}

QuestionBoxView ViewOf(const desktop::QuestionBox& box) {
  const Fl_Input& field = box.Field();
  return {box.label() ? box.label() : "",
          box.Prompt(),
          field.value(),
          std::min(field.position(), field.mark()),
          std::max(field.position(), field.mark()),
          box.x(),
          box.y(),
          box.w(),
          box.h()};
}

WindowImage BlankImage(const desktop::Canvas& canvas) {
  return {canvas.w(), canvas.h(),
          std::vector<std::uint8_t>(static_cast<std::size_t>(canvas.w()) * canvas.h() * 3)};
}

// Draws the window's picture into a pixmap of the client size and reads it back. Not a
// member: FLTK's offscreen macros name X11's Window, which a member would take for
// Toolkit::Window.
WindowImage CaptureDrawing(desktop::DesktopWindow& window) {
  const desktop::Canvas& canvas = window.Drawing();
  WindowImage image = BlankImage(canvas);
  window.make_current();
  const Fl_Offscreen offscreen = fl_create_offscreen(canvas.w(), canvas.h());
  {  // fl_begin_offscreen declares the variables that fl_end_offscreen restores
    fl_begin_offscreen(offscreen);
    canvas.DrawAll();
    fl_read_image(image.rgb.data(), canvas.x(), canvas.y(), canvas.w(), canvas.h());
    fl_end_offscreen();
  }
  fl_delete_offscreen(offscreen);
  return image;
}

}  // namespace

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
  if (!answers_) {
    DesktopToolkit::AwaitAnswer(box);
    return;
  }
  Fl::check();
  const std::optional<std::string> typed = answers_(ViewOf(box));
  if (typed) {
    TypeText(box, *typed);
    SendKey(box, FL_Enter, "\r");
  } else {
    SendKey(box, FL_Escape, "\x1b");
  }
  if (box.shown()) throw std::logic_error("the question box did not close on Return or Escape");
}

void TestDesktopToolkit::RunMessageBox(const std::string& text) {
  if (messages_) Fl::add_timeout(0.0, ConfirmMessage, this);
  DesktopToolkit::RunMessageBox(text);
  Fl::remove_timeout(ConfirmMessage, this);
  if (messageFault_) std::rethrow_exception(std::exchange(messageFault_, nullptr));
}

// Runs inside fl_message's loop once the box is up: hands its text to the sink and confirms
// the box with Return.
void TestDesktopToolkit::ConfirmMessage(void* self) {
  auto& ui = *static_cast<TestDesktopToolkit*>(self);
  Fl_Window* box = Fl::modal();
  if (box == nullptr || !box->shown()) {
    Fl::repeat_timeout(0.01, ConfirmMessage, self);
    return;
  }
  std::string shown;
  for (int i = 0; i < box->children(); ++i) {
    const Fl_Widget* child = box->child(i);
    if (child->label() && std::string(child->label()).size() > shown.size() &&
        dynamic_cast<const Fl_Button*>(child) == nullptr) {
      shown = child->label();
    }
  }
  try {
    ui.messages_(shown);
  } catch (...) {
    ui.messageFault_ = std::current_exception();
  }
  SendKey(*box, FL_Enter, "\r");
  if (box->shown()) box->hide();
}

std::optional<WindowImage> TestDesktopToolkit::Capture(WindowId id) const {
  desktop::DesktopWindow* window = ShownWindow(id);
  if (window == nullptr) return std::nullopt;
  return CaptureDrawing(*window);
}

std::optional<WindowImage> TestDesktopToolkit::ScreenImage(WindowId id) const {
  desktop::DesktopWindow* window = ShownWindow(id);
  if (window == nullptr) return std::nullopt;
  Fl::flush();
  XSync(fl_display, False);
  const desktop::Canvas& canvas = window->Drawing();
  WindowImage image = BlankImage(canvas);
  window->make_current();
  fl_read_image(image.rgb.data(), canvas.x(), canvas.y(), canvas.w(), canvas.h());
  return image;
}

std::optional<Twips> TestDesktopToolkit::ScreenPixels(WindowId id) const {
  const desktop::DesktopWindow* window = ShownWindow(id);
  if (window == nullptr) return std::nullopt;
  return Twips{window->x(), window->y(), window->w(), window->h()};
}

void TestDesktopToolkit::RedrawNow(WindowId id) {
  desktop::DesktopWindow* window = ShownWindow(id);
  if (window == nullptr) return;
  window->Drawing().Replaced();
  Fl::flush();
  XSync(fl_display, False);
}

PersonAtDisplay::PersonAtDisplay(Action action) : action_(action) {
  Fl::add_timeout(0.0, Act, this);
}

PersonAtDisplay::~PersonAtDisplay() {
  Fl::remove_timeout(Act, this);
  Fl::remove_timeout(GiveUp, this);
}

void PersonAtDisplay::Act(void* self) {
  auto& person = *static_cast<PersonAtDisplay*>(self);
  Fl_Window* box = Fl::modal();
  if (box == nullptr || !box->shown()) {
    Fl::repeat_timeout(0.01, Act, self);
    return;
  }
  XEvent event{};
  if (person.action_ == Action::CloseBox) {
    event.xclient.type = ClientMessage;
    event.xclient.window = fl_xid(box);
    event.xclient.message_type = XInternAtom(fl_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    const Atom deleteWindow = XInternAtom(fl_display, "WM_DELETE_WINDOW", False);
    // Xlib's client message carries its data in a union.
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);  // NOLINT(*-union-access)
    XSendEvent(fl_display, fl_xid(box), False, NoEventMask, &event);
  } else {
    event.xkey.type = KeyPress;
    event.xkey.window = fl_xid(box);
    event.xkey.root = DefaultRootWindow(fl_display);
    event.xkey.same_screen = True;
    event.xkey.keycode =
        XKeysymToKeycode(fl_display, person.action_ == Action::Return ? XK_Return : XK_Escape);
    XSendEvent(fl_display, fl_xid(box), True, KeyPressMask, &event);
    event.xkey.type = KeyRelease;
    XSendEvent(fl_display, fl_xid(box), True, KeyReleaseMask, &event);
  }
  XFlush(fl_display);
  person.acted_ = true;
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
