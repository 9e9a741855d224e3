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

#include "frontends/DesktopWindows.h"

namespace kavrel::test {

namespace {

// Sends one key to a window as the X server would, through FLTK's own dispatch: the
// focused widget first, then the shortcuts of the window's buttons.
// `text` is a copy of its own: FLTK takes the key's text as a char*.
// cppcheck-suppress passedByValue
void SendKey(Fl_Window& window, int keysym, std::string text) {
  const auto saved = std::tuple(Fl::e_text, Fl::e_length, Fl::e_keysym, Fl::e_state);
  Fl::e_keysym = keysym;
  Fl::e_state = 0;
  Fl::e_text = text.data();
  Fl::e_length = static_cast<int>(text.size());
  Fl::handle(FL_KEYBOARD, &window);
  std::tie(Fl::e_text, Fl::e_length, Fl::e_keysym, Fl::e_state) = saved;
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
  for (const char c : answers_(ViewOf(box))) SendKey(box, static_cast<unsigned char>(c), {c});
  SendKey(box, FL_Enter, "\r");
  if (box.shown()) throw std::logic_error("the question box did not close on Return");
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

PersonAtDisplay::PersonAtDisplay(Action action) : action_(action) {
  Fl::add_timeout(0.0, Act, this);
}

PersonAtDisplay::~PersonAtDisplay() {
  Fl::remove_timeout(Act, this);
  Fl::remove_timeout(GiveUp, this);
}

void PersonAtDisplay::Act(void* self) {
  auto& person = *static_cast<PersonAtDisplay*>(self);
  // The person acts once the box is on the screen: FLTK has had its first expose.
  Fl_Window* box = Fl::modal();
  if (box == nullptr || !box->shown() || Fl_X::i(box)->wait_for_expose) {
    Fl::repeat_timeout(0.01, Act, self);
    return;
  }
  for (int i = 0; i < box->children(); ++i) {
    const Fl_Widget* child = box->child(i);
    if (child->label() && std::string(child->label()).size() > person.read_.size() &&
        dynamic_cast<const Fl_Button*>(child) == nullptr) {
      person.read_ = child->label();
    }
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
